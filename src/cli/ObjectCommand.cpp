// `object DESIGNATION`: a deep-sky object from the object file with its other designations,
// common name, short description and its expansion, and where it stands for the observing
// time.

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "catalog/ConstellationTable.h"
#include "catalog/CrossReference.h"
#include "catalog/DescriptionFile.h"
#include "catalog/Designation.h"
#include "catalog/DreyerExpand.h"
#include "cli/CatalogWords.h"
#include "cli/FixedPositionSky.h"
#include "catalog/ObjectLookup.h"
#include "format/AngleFormat.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

// Magnitudes at or above this are the builder's mark for "unknown" (99.9).
constexpr float kUnknownMagnitude = 99.0f;
constexpr size_t kCommonNameSize = 64;

bool IsStarCatalog(int32_t catalog) {
    return catalog == kCatalogHip || catalog == kCatalogHr || catalog == kCatalogTycho;
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return std::string(text);
}

struct ObjectFacts {
    std::string designation;
    std::vector<std::string> others;
    std::string commonName;   // code page
    std::string description;  // code page
    std::string translation;  // code page
};

void AddOther(ObjectFacts& facts, const std::string& name) {
    if (name.empty() || name == facts.designation) return;
    for (const std::string& known : facts.others)
        if (known == name) return;
    facts.others.push_back(name);
}

// The cross-references of the record's own designation: its other names and its common name.
void ReadCrossReferences(ObjectCatalogs& catalogs, const ObjectRecord& record, ObjectFacts& facts,
                         std::vector<std::pair<int32_t, int32_t>>& identities) {
    int16_t otherCatalogs[kCrossReferenceOthers] = {};
    int32_t otherNumbers[kCrossReferenceOthers] = {};
    int found = 0;
    char name[kCommonNameSize] = {};
    if (!CrossReferenceFind(catalogs.Files().crossReferences, catalogs.Messages(), record.catalog, record.number,
                            otherCatalogs, otherNumbers, kCrossReferenceOthers, found, name, sizeof name)) {
        return;
    }
    facts.commonName = Trimmed(name);
    for (int i = 0; i < found; ++i) {
        identities.emplace_back(otherCatalogs[i], otherNumbers[i]);
        AddOther(facts, CatalogDesignation(catalogs.Table(), otherCatalogs[i], otherNumbers[i]));
    }
}

// The description of the record's own designation, else of an NGC or IC name it also has.
void ReadDescription(ObjectCatalogs& catalogs, const ObjectRecord& record,
                     const std::vector<std::pair<int32_t, int32_t>>& identities, ObjectFacts& facts) {
    if (!DescriptionApplies(record.catalog, record.type)) return;
    std::vector<std::pair<int32_t, int32_t>> candidates{{record.catalog, record.number}};
    for (const auto& identity : identities)
        if (identity.first == kCatalogNgc || identity.first == kCatalogIc) candidates.push_back(identity);
    char text[kDescriptionShortSize];
    for (const auto& [catalog, number] : candidates) {
        if (!DescriptionFind(catalogs.Files().descriptions, catalogs.Messages(), catalog, number, text)) continue;
        facts.description = text;
        char expanded[kDescriptionLongSize];
        DescriptionExpand(facts.description, expanded);
        facts.translation = expanded;
        return;
    }
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
    if (FindObject(catalogs, catalog, number, found, problem) != ObjectSearch::Found) return JobFailed(ctx, problem);
    const ObjectRecord& record = found.record;

    ObjectFacts facts;
    const ObjectNames names = ObjectDesignations(catalogs.Table(), catalogs.Lists(), found.index, record);
    facts.designation = names.first;
    AddOther(facts, names.second);
    std::vector<std::pair<int32_t, int32_t>> identities;
    ReadCrossReferences(catalogs, record, facts, identities);
    ReadDescription(catalogs, record, identities, facts);

    FixedPositionSky sky;
    if (!FixedPositionSkyCompute(ctx, record.ra, record.dec, sky, problem)) return JobFailed(ctx, problem);

    const bool knownCatalog = record.catalog >= 0 && record.catalog < kCatalogCount;
    const std::string prefix = knownCatalog ? Trimmed(CatalogPrefix(catalogs.Table()[size_t(record.catalog)])) : "";
    const bool knownType = record.type >= 0 && record.type < kObjectTypeCount;
    const std::string typeCode = knownType ? Trimmed(ObjectTypeCode(catalogs.Types()[size_t(record.type)])) : "";
    const std::string typeName = knownType ? Trimmed(ObjectTypeName(catalogs.Types()[size_t(record.type)])) : "";
    const ConstellationEntry* constellation = ConstellationAt(record.constellation);
    const std::string constellationName = constellation ? Cp1252ToUtf8(ConstellationName(*constellation)) : "";
    const std::string constellationAbbreviation =
        constellation ? std::string(ConstellationAbbreviation(*constellation)) : "";
    const bool magnitudeKnown = record.magnitude < kUnknownMagnitude;
    const std::string classText = Trimmed(catalogs.ClassText(record.code1));

    if (ctx.Json()) {
        nlohmann::json others = nlohmann::json::array();
        for (const std::string& name : facts.others) others.push_back(Cp1252ToUtf8(name));
        PrintJson(ctx, {{"designation", Cp1252ToUtf8(facts.designation)},
                        {"catalog", prefix},
                        {"catalog_index", record.catalog},
                        {"number", record.number},
                        {"type_code", record.type},
                        {"type", typeCode},
                        {"type_name", typeName},
                        {"class", TextOrNull(classText)},
                        {"constellation", constellation ? nlohmann::json(constellationName) : nlohmann::json()},
                        {"constellation_abbreviation",
                         constellation ? nlohmann::json(constellationAbbreviation) : nlohmann::json()},
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
                        {"rise", sky.rise},
                        {"transit", sky.transit},
                        {"set", sky.set},
                        {"rise_set_status", sky.status}});
        return kExitOk;
    }

    KeyRows rows;
    rows.Add("designation", Cp1252ToUtf8(facts.designation));
    rows.Add("catalog", prefix + " (" + std::to_string(record.catalog) + ")");
    rows.Add("number", std::to_string(record.number));
    rows.Add("type", typeCode + " " + typeName + " (" + std::to_string(record.type) + ")");
    if (!classText.empty()) rows.Add("class", Cp1252ToUtf8(classText));
    rows.Add("constellation", constellation ? constellationName + " (" + constellationAbbreviation + ")" : "none");
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
    if (sky.status == "normal") {
        rows.Add("rise", Cp1252ToUtf8(HMSToStr(sky.rise, ctx.Formats())));
        rows.Add("transit", Cp1252ToUtf8(HMSToStr(sky.transit, ctx.Formats())));
        rows.Add("set", Cp1252ToUtf8(HMSToStr(sky.set, ctx.Formats())));
    } else {
        rows.Add("rise_set", sky.status == "circumpolar" ? "circumpolar" : "never rises");
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
