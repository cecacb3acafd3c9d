// moon libration, moon feature NAME, moon terminator: the face of the Moon at the observing
// time, a named feature's place and its next sunrise and sunset, and the named features the
// terminator is crossing.

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalog/SurfaceFeatures.h"
#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/MoonFaceCommands.h"
#include "ephemeris/MoonFace.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "platform/Text.h"
#include "tools/MoonTerminatorFeatures.h"

namespace vsp::cli {
namespace {


Instant ObservingInstant(CliContext& ctx) { return LocalInstant(ctx.ObservingTime(), ctx.Ephemeris()); }

std::string UtText(double jd) {
    const CalendarDateTime t = CalendarFromJulianDay(jd);
    return IsoDate(t.year, t.month, t.day) + " " + IsoClock(t.hour, t.minute, t.second) + " UT";
}

nlohmann::json JdOrNull(const std::optional<Instant>& when) {
    return when ? nlohmann::json(when->ut) : nlohmann::json(nullptr);
}

bool LoadMoonFeatures(CliContext& ctx, std::vector<SurfaceFeature>& features) {
    std::string problem;
    if (ReadSurfaceFeatures(ctx.Home(), ctx.Messages(), FeatureBody::kMoon, features, problem)) return true;
    JobFailed(ctx, problem);
    return false;
}

int RunLibration(CliContext& ctx) {
    const MoonFaceView face = MoonFaceAt(ObservingInstant(ctx));
    if (ctx.Json()) {
        PrintJson(ctx, {{"libration_lon_deg", face.librationLonDeg},
                        {"libration_lat_deg", face.librationLatDeg},
                        {"axis_pa_deg", face.axisPositionAngleDeg},
                        {"colongitude_deg", face.colongitudeDeg},
                        {"subsolar_lat_deg", face.subsolarLatDeg}});
        return kExitOk;
    }
    PrintRows(ctx, {{"Libration in longitude", Fixed(face.librationLonDeg, 3) + " deg"},
                    {"Libration in latitude", Fixed(face.librationLatDeg, 3) + " deg"},
                    {"Position angle of the axis", Fixed(face.axisPositionAngleDeg, 2) + " deg"},
                    {"Colongitude of the Sun", Fixed(face.colongitudeDeg, 2) + " deg"},
                    {"Subsolar latitude", Fixed(face.subsolarLatDeg, 3) + " deg"}});
    return kExitOk;
}

int RunFeature(CliContext& ctx, const std::string& typedUtf8) {
    std::vector<SurfaceFeature> features;
    if (!LoadMoonFeatures(ctx, features)) return kExitFailed;
    const std::string typed = Utf8ToCp1252(typedUtf8);
    const std::vector<const SurfaceFeature*> found = FindSurfaceFeatures(features, typed);
    if (found.empty()) return JobFailed(ctx, "No lunar feature named " + typed);
    const SurfaceFeature* f = found.front();

    const Instant now = ObservingInstant(ctx);
    const MoonFaceView face = MoonFaceAt(now);
    const bool visible = IsOnVisibleFace(face, f->lonDeg, f->latDeg);
    const bool lit = TerminatorDistanceDeg(face, f->lonDeg, f->latDeg) > 0.0;
    const auto sunrise = NextTerminatorPassage(now, f->lonDeg, true, kTerminatorPassageDays);
    const auto sunset = NextTerminatorPassage(now, f->lonDeg, false, kTerminatorPassageDays);
    const std::string name = Cp1252ToUtf8(f->name);
    if (ctx.Json()) {
        PrintJson(ctx, {{"name", name},
                        {"type", FeatureTypeName(f->type)},
                        {"lat_deg", f->latDeg},
                        {"lon_deg", f->lonDeg},
                        {"diameter_km", f->diameterKm},
                        {"visible", visible},
                        {"lit", lit},
                        {"sunrise_jd_ut", JdOrNull(sunrise)},
                        {"sunset_jd_ut", JdOrNull(sunset)},
                        {"matches", found.size()}});
        return kExitOk;
    }
    PrintRows(ctx, {{"Name", name},
                    {"Type", FeatureTypeName(f->type)},
                    {"Latitude", Fixed(f->latDeg, 2) + " deg"},
                    {"Longitude (east)", Fixed(f->lonDeg, 2) + " deg"},
                    {"Diameter", Fixed(f->diameterKm, 1) + " km"},
                    {"On the visible face", visible ? "yes" : "no"},
                    {"In sunlight", lit ? "yes" : "no"},
                    {"Next sunrise", sunrise ? UtText(sunrise->ut) : "none in 30 days"},
                    {"Next sunset", sunset ? UtText(sunset->ut) : "none in 30 days"},
                    {"Names matching", std::to_string(found.size())}});
    return kExitOk;
}

int RunTerminator(CliContext& ctx) {
    std::vector<SurfaceFeature> features;
    if (!LoadMoonFeatures(ctx, features)) return kExitFailed;
    const MoonFaceView face = MoonFaceAt(ObservingInstant(ctx));
    const std::vector<TerminatorFeature> near = FeaturesNearTerminator(features, face);
    if (ctx.Json()) {
        nlohmann::json list = nlohmann::json::array();
        for (const TerminatorFeature& n : near) {
            list.push_back({{"name", Cp1252ToUtf8(n.feature->name)},
                            {"type", FeatureTypeName(n.feature->type)},
                            {"lat_deg", n.feature->latDeg},
                            {"lon_deg", n.feature->lonDeg},
                            {"diameter_km", n.feature->diameterKm},
                            {"distance_deg", n.distanceDeg},
                            {"side", n.sunrise ? "sunrise" : "sunset"}});
        }
        PrintJson(ctx, {{"colongitude_deg", face.colongitudeDeg}, {"features", list}});
        return kExitOk;
    }
    ctx.Out() << "Colongitude " << Fixed(face.colongitudeDeg, 2) << " deg; " << near.size()
              << " named features within " << Fixed(kNearTerminatorDeg, 0) << " deg of the terminator\n";
    for (const TerminatorFeature& n : near) {
        ctx.Out() << Cp1252ToUtf8(n.feature->name) << "  " << FeatureTypeName(n.feature->type) << "  "
                  << Fixed(n.feature->diameterKm, 1) << " km  " << Fixed(n.distanceDeg, 2) << " deg "
                  << (n.distanceDeg >= 0.0 ? "lit" : "dark") << ", " << (n.sunrise ? "sunrise" : "sunset") << "\n";
    }
    return kExitOk;
}

}  // namespace

void AddMoonFaceCommands(CommandRegistry& registry, CLI::App* moon) {
    registry.Add("libration", "The Moon's librations, axis and the Sun's colongitude for the observing time",
                 RunLibration, moon)
        ->footer("Keys: libration_lon_deg, libration_lat_deg (the selenographic place under the Earth, optical "
                 "and physical), axis_pa_deg (of the north pole, from celestial north through east), "
                 "colongitude_deg, subsolar_lat_deg.");
    auto name = std::make_shared<std::string>();
    CLI::App* feature = registry.Add(
        "feature", "A named lunar feature: its place, size, whether it is seen, its next sunrise and sunset",
        [name](CliContext& ctx) { return RunFeature(ctx, *name); }, moon);
    feature->add_option("name", *name, "the feature's name or its beginning (\"Copernicus\", \"mare imb\")")
        ->required();
    feature->footer("Keys: name, type, lat_deg, lon_deg (east), diameter_km, visible (on the face the Earth "
                    "sees now), lit, sunrise_jd_ut, sunset_jd_ut (the next within 30 days, or null), matches "
                    "(how many names the search found; an exact name is shown first).");
    registry.Add("terminator", "The named lunar features within 3 degrees of the terminator, largest first",
                 RunTerminator, moon)
        ->footer("Keys: colongitude_deg, features [name, type, lat_deg, lon_deg, diameter_km, distance_deg "
                 "(from the terminator, positive in sunlight), side (\"sunrise\" or \"sunset\")].");
}

}  // namespace vsp::cli
