// `object DESIGNATION`: a deep-sky object from the object file with its other designations,
// common name, short description and its expansion, and where it stands for the observing
// time.

#include <memory>
#include <string>
#include <vector>

#include "catalog/Designation.h"
#include "catalog/ObjectFacts.h"
#include "cli/CatalogWords.h"
#include "format/AngleFormat.h"
#include "format/FixedPositionSky.h"
#include "platform/Text.h"
#include "settings/PreferenceTable.h"

namespace vsp::cli {
namespace {

bool IsStarCatalog(int32_t catalog) {
    return catalog == kCatalogHip || catalog == kCatalogHr || catalog == kCatalogTycho;
}

nlohmann::json TextOrNull(const std::string& narrow) {
    return narrow.empty() ? nlohmann::json() : nlohmann::json(Cp1252ToUtf8(narrow));
}

nlohmann::json PositiveOrNull(float value) {
    return value > 0.0f ? nlohmann::json(double(value)) : nlohmann::json();
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

int RunObject(CliContext& ctx, const std::string& text) {
    int32_t catalog = 0, number = 0;
    if (!DesignationParse(DefaultCatalogTable(), Utf8ToCp1252(text), catalog, number))
        return UsageError(ctx, "not a designation: " + text);
    if (IsStarCatalog(catalog))
        return UsageError(ctx, text + " is a star: vespertar star " + text);

    ObjectCatalogs catalogs(ctx.Home(), ctx.Messages());
    catalogs.Open();
    // The opening has already said why the object file is missing.
    if (!catalogs.Files().objects.IsOpen()) return kExitFailed;

    FoundObject found;
    std::string problem;
    if (FindObject(catalogs.Session(), ctx.Messages(), catalog, number, found, problem) != ObjectSearch::Found)
        return JobFailed(ctx, problem);
    const ObjectRecord& record = found.record;
    const ObjectFacts facts = ReadObjectFacts(catalogs.Session(), ctx.Messages(), found);

    const CalendarDateTime when = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    FixedPositionSky sky;
    if (!FixedPositionSkyCompute(record.ra, record.dec, when, settings, HorizonDegrees(ctx.Prefs().horizon),
                                 ctx.Formats(), sky)) {
        return JobFailed(ctx, OutOfRangeMessage(LocalInstant(when, settings).tt));
    }
    const std::string status = RiseSetStatusKey(sky.times.status);
    const bool constellation = !facts.constellationName.empty();
    const bool magnitudeKnown = MagnitudeKnown(record);

    if (ctx.Json()) {
        nlohmann::json others = nlohmann::json::array();
        for (const std::string& name : facts.others) others.push_back(Cp1252ToUtf8(name));
        PrintJson(ctx, {{"designation", Cp1252ToUtf8(facts.designation)},
                        {"catalog", facts.catalogPrefix},
                        {"catalog_index", record.catalog},
                        {"number", record.number},
                        {"type_code", record.type},
                        {"type", facts.typeCode},
                        {"type_name", facts.typeName},
                        {"class", TextOrNull(facts.classText)},
                        {"constellation", TextOrNull(facts.constellationName)},
                        {"constellation_abbreviation", TextOrNull(facts.constellationAbbreviation)},
                        {"ra_hours", double(record.ra)},
                        {"dec_deg", double(record.dec)},
                        {"magnitude", magnitudeKnown ? nlohmann::json(double(record.magnitude)) : nlohmann::json()},
                        {"major_arcmin", PositiveOrNull(record.sizeMajor)},
                        {"minor_arcmin", PositiveOrNull(record.sizeMinor)},
                        {"other_designations", others},
                        {"common_name", TextOrNull(facts.commonName)},
                        {"description", TextOrNull(facts.description)},
                        {"translation", TextOrNull(facts.translation)},
                        {"alt_deg", sky.altitude},
                        {"az_deg", sky.azimuth},
                        {"rise", sky.times.rise},
                        {"transit", sky.times.transit},
                        {"set", sky.times.set},
                        {"rise_set_status", status}});
        return kExitOk;
    }

    KeyRows rows;
    rows.Add("designation", Cp1252ToUtf8(facts.designation));
    rows.Add("catalog", facts.catalogPrefix + " (" + std::to_string(record.catalog) + ")");
    rows.Add("number", std::to_string(record.number));
    rows.Add("type", facts.typeCode + " " + facts.typeName + " (" + std::to_string(record.type) + ")");
    if (!facts.classText.empty()) rows.Add("class", Cp1252ToUtf8(facts.classText));
    rows.Add("constellation", constellation ? Cp1252ToUtf8(facts.constellationName) + " (" +
                                                  facts.constellationAbbreviation + ")"
                                            : "none");
    rows.Add("ra_hours", Fixed(record.ra, 6) + "  " + Cp1252ToUtf8(HMSToStr(record.ra, ctx.Formats())));
    rows.Add("dec_deg", Fixed(record.dec, 5) + "  " + Cp1252ToUtf8(DmsToStr(record.dec, ctx.Formats())));
    rows.Add("magnitude", magnitudeKnown ? Fixed(record.magnitude, 2) : "unknown");
    rows.Add("major_arcmin", record.sizeMajor > 0 ? Fixed(record.sizeMajor, 2) : "unknown");
    rows.Add("minor_arcmin", record.sizeMinor > 0 ? Fixed(record.sizeMinor, 2) : "unknown");
    if (!facts.others.empty()) rows.Add("other_designations", Cp1252ToUtf8(Joined(facts.others)));
    if (!facts.commonName.empty()) rows.Add("common_name", Cp1252ToUtf8(facts.commonName));
    if (!facts.description.empty()) {
        rows.Add("description", Cp1252ToUtf8(facts.description));
        rows.Add("translation", Cp1252ToUtf8(facts.translation));
    }
    rows.Add("alt_deg", Fixed(sky.altitude, 2) + kDegreeUtf8);
    rows.Add("az_deg", Fixed(sky.azimuth, 2) + kDegreeUtf8);
    if (sky.times.status == RiseSetStatus::Normal) {
        rows.Add("rise", Cp1252ToUtf8(HMSToStr(sky.times.rise, ctx.Formats())));
        rows.Add("transit", Cp1252ToUtf8(HMSToStr(sky.times.transit, ctx.Formats())));
        rows.Add("set", Cp1252ToUtf8(HMSToStr(sky.times.set, ctx.Formats())));
    } else {
        rows.Add("rise_set", sky.times.status == RiseSetStatus::Circumpolar ? "circumpolar" : "never rises");
    }
    rows.Print(ctx);
    return kExitOk;
}

}  // namespace

void AddObjectCommand(CommandRegistry& registry) {
    auto text = std::make_shared<std::string>();
    CLI::App* object = registry.Add("object", "A deep-sky object of the object file by its designation",
                                    [text](CliContext& ctx) { return RunObject(ctx, *text); });
    AddDesignation(*object, *text, "NGC7000, \"NGC 7000\", m31, C14, IC434, Sh2-101 (any case, blank or hyphen "
                                   "after the prefix optional)");
    object->footer(
        "Messier, Caldwell, SAC and Herschel numbers go through their lists. Keys: designation (as the program "
        "shows it: M31 for NGC 224), catalog (prefix), catalog_index, number, type_code, type, type_name, class, "
        "constellation, constellation_abbreviation, ra_hours and dec_deg (J2000), magnitude, major_arcmin, "
        "minor_arcmin (null when unknown), other_designations, common_name, description (NGC 2000.0 text) and "
        "translation (its expansion), and for the observing time and site alt_deg, az_deg (in the correction "
        "mode) and rise, transit, set (decimal local hours, as riseset --ra/--dec) with rise_set_status.");
}

}  // namespace vsp::cli
