#include "cli/FinderTexts.h"

#include <cmath>
#include <cstdio>

#include "catalog/ConstellationOfPosition.h"
#include "catalog/ConstellationTable.h"
#include "catalog/Designation.h"
#include "catalog/ObjectFacts.h"
#include "chart/CcdField.h"
#include "cli/SkyTarget.h"
#include "ephemeris/Constants.h"
#include "format/AngleFormat.h"
#include "format/CalendarText.h"
#include "format/FixedPositionSky.h"
#include "platform/Text.h"
#include "settings/PreferenceTable.h"

namespace vsp::cli {
namespace {

std::string Printed(const char* format, double a, double b = 0.0) {
    char text[96];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string ConstellationOf(double raHours, double decDeg) {
    const ConstellationEntry* entry = ConstellationAt(ConstellationOfPosition(raHours, decDeg, kJ2000Jd));
    return entry ? std::string(ConstellationName(*entry)) : std::string();
}

// The deep-sky facts of a designation, when it names an object of the object file.
std::optional<ObjectFacts> DeepSkyFacts(CliContext& ctx, const std::string& narrow, ObjectRecord& record) {
    int32_t catalog = 0, number = 0;
    if (!DesignationParse(DefaultCatalogTable(), narrow, catalog, number)) return std::nullopt;
    if (catalog == kCatalogHip || catalog == kCatalogHr || catalog == kCatalogTycho) return std::nullopt;
    ObjectCatalogs catalogs(ctx.Home(), ctx.Messages());
    catalogs.Open();
    if (!catalogs.Files().objects.IsOpen()) return std::nullopt;
    FoundObject found;
    std::string problem;
    if (FindObject(catalogs.Session(), ctx.Messages(), catalog, number, found, problem) != ObjectSearch::Found)
        return std::nullopt;
    record = found.record;
    return ReadObjectFacts(catalogs.Session(), ctx.Messages(), found);
}

// Title and the lines of the target's kind, brightness, size, place and constellation.
void Describe(CliContext& ctx, FinderTarget& target, const std::string& kind) {
    const TextFormats formats = ctx.Formats();
    ObjectRecord record;
    const std::optional<ObjectFacts> facts = DeepSkyFacts(ctx, Utf8ToCp1252(target.name), record);
    target.title = facts ? facts->designation : Utf8ToCp1252(target.name);
    if (facts && !facts->commonName.empty()) target.title += "  " + facts->commonName;
    std::string line = facts && !facts->typeName.empty() ? facts->typeName : kind;
    if (facts && !facts->classText.empty()) line += " (" + facts->classText + ")";
    if (facts && MagnitudeKnown(record)) target.magnitude = record.magnitude;
    if (target.magnitude) line += Printed(",  mag %.1f", *target.magnitude);
    if (facts && record.sizeMajor > 0) {
        line += record.sizeMinor > 0 && record.sizeMinor != record.sizeMajor
                    ? Printed(",  %.1f' x %.1f'", record.sizeMajor, record.sizeMinor)
                    : Printed(",  %.1f'", record.sizeMajor);
    }
    target.data.push_back(line);
    target.data.push_back("RA " + HMSToStr(target.raHours, formats) + "   Dec " + DmsToStr(target.decDeg, formats) +
                          "   (J2000)");
    const std::string constellation =
        facts && !facts->constellationName.empty() ? facts->constellationName : ConstellationOf(target.raHours, target.decDeg);
    if (!constellation.empty()) target.data.push_back(constellation);
}

std::string Clock(double hours) {
    const int minutes = int(std::lround(hours * 60.0)) % 1440;
    return ClockMinutes(minutes / 60, minutes % 60);
}

// The site's name before its coordinates; nothing for the unnamed default site ("None").
std::string SiteWords(const Site& site) { return site.name.empty() || site.name == "None" ? "" : site.name + "  "; }

}  // namespace

std::optional<FinderTarget> FindFinderTarget(CliContext& ctx, const std::string& text, int& status) {
    const std::optional<SkyTarget> found = ResolveSkyTarget(ctx, text, status);
    if (!found) return std::nullopt;
    FinderTarget target{found->name, found->raHours, found->decDegrees, found->magnitude, "", {}};
    Describe(ctx, target, "Star");
    return target;
}

FinderTarget ListFinderTarget(CliContext& ctx, const ListEntry& entry) {
    const std::string name = Cp1252ToUtf8(entry.designation.empty() ? entry.name : entry.designation);
    FinderTarget target{name, entry.ra, entry.dec, std::nullopt, "", {}};
    if (entry.magnitudeX10 != 0 && entry.magnitudeX10 < 990) target.magnitude = float(entry.magnitudeX10 / 10.0);
    Describe(ctx, target, "Object");
    return target;
}

void AddNightLines(CliContext& ctx, FinderTarget& target, const FinderSheet& sheet) {
    FixedPositionSky sky;
    if (FixedPositionSkyCompute(target.raHours, target.decDeg, ctx.ObservingTime(), ctx.Ephemeris(),
                                HorizonDegrees(ctx.Prefs().horizon), ctx.Formats(), sky)) {
        switch (sky.times.status) {
            case RiseSetStatus::Normal:
                target.data.push_back("Rise " + Clock(sky.times.rise) + "   Transit " + Clock(sky.times.transit) +
                                      "   Set " + Clock(sky.times.set));
                break;
            case RiseSetStatus::Circumpolar:
                target.data.push_back("Circumpolar, transit " + Clock(sky.times.transit));
                break;
            case RiseSetStatus::NeverRises: target.data.push_back("Never rises here"); break;
        }
    }
    const char* view = sheet.view == FinderView::Inverted   ? "turned 180\xB0 (eyepiece view)"
                       : sheet.view == FinderView::Mirrored ? "east-west mirrored (star diagonal)"
                                                            : "north up, east left";
    target.data.push_back(Printed("Field %.3g\xB0, stars to mag %.1f, ", sheet.fovDeg, sheet.starLimit) + view);
}

std::vector<std::string> FinderFooter(CliContext& ctx, const ChartScene& scene, const FinderOverlays& overlays,
                                      bool ccd) {
    const CalendarDateTime when = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    const Site& site = ctx.Prefs().site;
    const double east = -settings.location.longitudeWest;
    std::vector<std::string> lines;
    lines.push_back(IsoDate(when.year, when.month, when.day) + " " + ClockMinutes(when.hour, when.minute) + " (UTC" +
                    IsoOffset(settings.location.tzOffset) + ")   " + SiteWords(site) +
                    Printed("%.2f\xB0", std::abs(settings.location.latitude)) +
                    (settings.location.latitude < 0 ? " S" : " N") + Printed("  %.2f\xB0", std::abs(east)) +
                    (east < 0 ? " W" : " E"));
    std::string instrument = Printed("Telescope %.0f mm focal length", scene.telescopeFocalMm);
    if (scene.eyepiece && scene.eyepiece->focalMm > 0 && scene.telescopeFocalMm > 0) {
        const double power = scene.telescopeFocalMm / scene.eyepiece->focalMm;
        instrument += ",  " + scene.eyepiece->name + Printed("  %.0fx, true field %.2f\xB0", power,
                                                           scene.eyepiece->apparentFieldDeg / power);
    }
    if (ccd && overlays.ccdArcmin) {
        const Preferences& prefs = ctx.Prefs();
        instrument += Printed(",  CCD %.1f' x %.1f'", overlays.ccdArcmin->first, overlays.ccdArcmin->second) +
                      Printed(" at %.0f mm, %.2f\"/px", prefs.ccdFocalLength,
                              CcdImageScale(prefs.ccdPixelSize, prefs.ccdFocalLength));
    }
    lines.push_back(instrument);
    return lines;
}

}  // namespace vsp::cli
