// planet moons|events|face PLANET: the face a planet turns to the observer and its moons about
// it for the observing time and site. Each command names the planets it takes; one that has no
// computation yet says so.

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandOutput.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/GalileanEvents.h"
#include "ephemeris/GalileanMoons.h"
#include "ephemeris/JupiterFace.h"
#include "ephemeris/MarsFace.h"
#include "ephemeris/SaturnMoons.h"
#include "ephemeris/SaturnRings.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"

namespace vsp::cli {
namespace {

// More days than this are a typing slip rather than a table anyone reads.
constexpr double kMaxEventDays = 366.0;

struct PlanetArgs {
    std::string planet;
    std::optional<double> days;
};

// The instant of the observing time, or false with the failure printed.
bool ObservingInstant(CliContext& ctx, Instant& when, int& status) {
    when = LocalInstant(ctx.ObservingTime(), ctx.Ephemeris());
    if (IsInEarthEphemerisRange(when)) return true;
    status = JobFailed(ctx, OutOfRangeMessage(when.tt));
    return false;
}

// One moon as `planet moons` lists it.
struct MoonState {
    const char* name;
    double x, y;      // planet radii, east and north on the sky
    bool inFront;     // nearer to the Earth than the planet's centre
    bool transiting;  // in front of the disc
    bool eclipsed, occulted, shadowOnDisc;
};

int PrintMoons(CliContext& ctx, const std::vector<MoonState>& states, const std::string& note) {
    nlohmann::json moons = nlohmann::json::array();
    Rows rows;
    for (const MoonState& p : states) {
        moons.push_back({{"name", p.name},
                         {"x_radii", p.x},
                         {"y_radii", p.y},
                         {"in_front", p.inFront},
                         {"eclipsed", p.eclipsed},
                         {"occulted", p.occulted},
                         {"shadow_on_disc", p.shadowOnDisc}});
        std::string state = p.transiting ? "in transit" : p.occulted ? "behind the disc" : p.inFront ? "in front" : "behind";
        if (p.eclipsed) state += ", eclipsed";
        if (p.shadowOnDisc) state += ", shadow on the disc";
        rows.push_back({p.name, Fixed(p.x, 2) + " E  " + Fixed(p.y, 2) + " N  " + state});
    }
    if (ctx.Json()) {
        PrintJson(ctx, {{"moons", moons}});
        return kExitOk;
    }
    PrintRows(ctx, rows);
    ctx.Out() << note << "\n";
    return kExitOk;
}

int RunJupiterMoons(CliContext& ctx) {
    Instant when;
    int status = kExitOk;
    if (!ObservingInstant(ctx, when, status)) return status;
    GalileanSystem system;
    ComputeGalileanSystem(when, system);
    std::vector<MoonState> states;
    for (int m = 0; m < kGalileanMoonCount; ++m) {
        const GalileanMoonPlace& p = system.moons[size_t(m)];
        states.push_back({GalileanMoonName(m), p.x, p.y, p.inFront, p.transiting, p.eclipsed, p.occulted, p.shadowOnDisc});
    }
    return PrintMoons(ctx, states, "Radii of Jupiter from its centre, east and north on the sky; axis at " +
                                       Fixed(system.axisPositionAngleDeg, 1) + kDegreeUtf8);
}

int RunSaturnMoons(CliContext& ctx) {
    Instant when;
    int status = kExitOk;
    if (!ObservingInstant(ctx, when, status)) return status;
    SaturnMoonPlaces places;
    if (SaturnMoonsAt(when, places) != 0) return JobFailed(ctx, OutOfRangeMessage(when.tt));
    std::vector<MoonState> states;
    for (int m = 0; m < kSaturnMoonCount; ++m) {
        const SaturnMoonPlace& p = places[size_t(m)];
        states.push_back({SaturnMoonName(m), p.x, p.y, p.z > 0.0, p.inFront, p.eclipsed, p.occulted, p.shadowOnDisc});
    }
    return PrintMoons(ctx, states, "Radii of Saturn from its centre, east and north on the sky");
}

int RunSaturnFace(CliContext& ctx) {
    Instant when;
    int status = kExitOk;
    if (!ObservingInstant(ctx, when, status)) return status;
    SaturnRingView ring;
    BodyPosition saturn;
    if (SaturnRingsAt(when, ring) != 0 || ComputeBody(saturn, kBodySaturn, when, ctx.Ephemeris()) != kEphemerisOk)
        return JobFailed(ctx, OutOfRangeMessage(when.tt));
    const double phase = PhaseAngleFromLitFraction(saturn.phaseFraction);
    const double globe = ring.majorAxisArcsec / kSaturnRingOverGlobe;
    if (ctx.Json()) {
        PrintJson(ctx, {{"ring_tilt_earth_deg", ring.earthTiltDeg},
                        {"ring_tilt_sun_deg", ring.sunTiltDeg},
                        {"ring_pa_deg", ring.positionAngleDeg},
                        {"ring_major_arcsec", ring.majorAxisArcsec},
                        {"ring_minor_arcsec", ring.minorAxisArcsec},
                        {"phase_deg", phase},
                        {"diameter_arcsec", globe}});
        return kExitOk;
    }
    PrintRows(ctx, {{"Ring tilt to the Earth (B)", Fixed(ring.earthTiltDeg, 3) + kDegreeUtf8},
                    {"Ring tilt to the Sun (B')", Fixed(ring.sunTiltDeg, 3) + kDegreeUtf8},
                    {"Ring position angle", Fixed(ring.positionAngleDeg, 2) + kDegreeUtf8},
                    {"Ring axes", Fixed(ring.majorAxisArcsec, 2) + "\" x " + Fixed(ring.minorAxisArcsec, 2) + "\""},
                    {"Phase angle", Fixed(phase, 2) + kDegreeUtf8},
                    {"Diameter", Fixed(globe, 2) + "\""}});
    return kExitOk;
}

int RunMarsFace(CliContext& ctx) {
    Instant when;
    int status = kExitOk;
    if (!ObservingInstant(ctx, when, status)) return status;
    MarsFaceView face;
    if (MarsFaceAt(when, face) != 0) return JobFailed(ctx, OutOfRangeMessage(when.tt));
    if (ctx.Json()) {
        PrintJson(ctx, {{"cm_deg", face.centralMeridianDeg},
                        {"subsolar_lat_deg", face.subSolarLatDeg},
                        {"subearth_lat_deg", face.subEarthLatDeg},
                        {"axis_pa_deg", face.positionAngleDeg},
                        {"defect_arcsec", face.defectArcsec},
                        {"phase_deg", face.phaseAngleDeg},
                        {"diameter_arcsec", face.diameterArcsec}});
        return kExitOk;
    }
    PrintRows(ctx, {{"Central meridian", Fixed(face.centralMeridianDeg, 2) + kDegreeUtf8},
                    {"Sub-Earth latitude", Fixed(face.subEarthLatDeg, 2) + kDegreeUtf8},
                    {"Subsolar latitude", Fixed(face.subSolarLatDeg, 2) + kDegreeUtf8},
                    {"Axis position angle", Fixed(face.positionAngleDeg, 2) + kDegreeUtf8},
                    {"Phase angle", Fixed(face.phaseAngleDeg, 2) + kDegreeUtf8},
                    {"Defect of illumination", Fixed(face.defectArcsec, 2) + "\""},
                    {"Diameter", Fixed(face.diameterArcsec, 2) + "\""}});
    return kExitOk;
}

double AltitudeAt(int body, double jdUt, double deltaT, const EphemerisSettings& settings) {
    BodyPosition record;
    BodyHorizon horizon;
    ComputeBody(record, body, Instant::FromUt(jdUt, deltaT), settings, &horizon);
    return horizon.altitude;
}

int RunJupiterEvents(CliContext& ctx, const PlanetArgs& args) {
    const double days = args.days.value_or(1.0);
    if (!(days > 0.0 && days <= kMaxEventDays)) return UsageError(ctx, "--days must be more than 0 and at most 366");
    Instant when;
    int status = kExitOk;
    if (!ObservingInstant(ctx, when, status)) return status;
    if (!IsInEarthEphemerisRange(when.Later(days))) return JobFailed(ctx, OutOfRangeMessage(when.tt + days));
    const EphemerisSettings settings = ctx.Ephemeris();
    const int tz = settings.location.tzOffset;
    nlohmann::json events = nlohmann::json::array();
    for (const GalileanEvent& e : FindGalileanEvents(when.ut, days, when.deltaT)) {
        const double planetAlt = AltitudeAt(kBodyJupiter, e.jdUt, when.deltaT, settings);
        const double sunAlt = AltitudeAt(kBodySun, e.jdUt, when.deltaT, settings);
        events.push_back({{"moon", GalileanMoonName(e.moon)},
                          {"kind", GalileanEventKindName(e.kind)},
                          {"jd_ut", e.jdUt},
                          {"local", LocalDateTimeText(e.jdUt, tz)},
                          {"planet_alt_deg", planetAlt},
                          {"sun_alt_deg", sunAlt}});
    }
    if (ctx.Json()) {
        PrintJson(ctx, {{"events", events}});
        return kExitOk;
    }
    if (events.empty()) ctx.Out() << "No event of the Galilean moons in " << Fixed(days, 2) << " days\n";
    for (const nlohmann::json& e : events) {
        const double alt = e["planet_alt_deg"], sun = e["sun_alt_deg"];
        std::string note = alt < 0.0 ? "  (Jupiter below the horizon)" : sun > -6.0 ? "  (daylight or twilight)" : "";
        ctx.Out() << e["local"].get<std::string>() << "  " << e["moon"].get<std::string>() << " "
                  << e["kind"].get<std::string>() << "  Jupiter " << Fixed(alt, 0) << kDegreeUtf8 << note << "\n";
    }
    return kExitOk;
}

int RunJupiterFace(CliContext& ctx, const PlanetArgs& args) {
    const double days = args.days.value_or(1.0);
    if (!(days > 0.0 && days <= kMaxEventDays)) return UsageError(ctx, "--days must be more than 0 and at most 366");
    Instant when;
    int status = kExitOk;
    if (!ObservingInstant(ctx, when, status)) return status;
    JupiterFace face;
    ComputeJupiterFace(when, face);
    const double grs = ctx.Prefs().grsLongitude;
    const std::vector<double> transits = SystemIITransits(when, days, grs);
    if (ctx.Json()) {
        PrintJson(ctx, {{"cm_i_deg", face.centralMeridianI},
                        {"cm_ii_deg", face.centralMeridianII},
                        {"cm_iii_deg", face.centralMeridianIII},
                        {"grs_transits_jd_ut", transits},
                        {"phase_deg", face.phaseAngleDeg},
                        {"diameter_arcsec", face.diameterArcsec}});
        return kExitOk;
    }
    Rows rows = {{"Central meridian I", Fixed(face.centralMeridianI, 1) + kDegreeUtf8},
                 {"Central meridian II", Fixed(face.centralMeridianII, 1) + kDegreeUtf8},
                 {"Central meridian III", Fixed(face.centralMeridianIII, 1) + kDegreeUtf8},
                 {"Phase angle", Fixed(face.phaseAngleDeg, 2) + kDegreeUtf8},
                 {"Diameter", Fixed(face.diameterArcsec, 2) + "\""}};
    const int tz = ctx.Ephemeris().location.tzOffset;
    for (double jd : transits) rows.push_back({"GRS transit (" + Fixed(grs, 1) + kDegreeUtf8 + " II)", LocalDateTimeText(jd, tz)});
    PrintRows(ctx, rows);
    return kExitOk;
}

// The planet positional of one command: `takes` the words it accepts.
void AddPlanetWord(CLI::App& command, std::string& word, const std::vector<std::string>& takes) {
    command.add_option("planet", word, "the planet")->required()->check(CLI::IsMember(takes))->type_name("PLANET");
}

}  // namespace

void AddPlanetCommands(CommandRegistry& registry) {
    CLI::App* planet = registry.AddFamily("planet", "The face of a planet and its moons about it");
    auto args = std::make_shared<PlanetArgs>();

    CLI::App* moons = registry.Add(
        "moons", "Where a planet's moons stand about its disc for the observing time",
        [args](CliContext& ctx) { return args->planet == "saturn" ? RunSaturnMoons(ctx) : RunJupiterMoons(ctx); },
        planet);
    AddPlanetWord(*moons, args->planet, {"jupiter", "saturn"});
    moons->footer("Io, Europa, Ganymede and Callisto, or Mimas, Enceladus, Tethys, Dione, Rhea, Titan and Iapetus, "
                  "by Meeus's theories with light time. Keys: moons [name, x_radii, "
                  "y_radii (from the planet's centre on the sky in its equatorial radii, x toward the east limb, y "
                  "toward celestial north), in_front (nearer than the planet), eclipsed (in its shadow), occulted "
                  "(behind the disc), shadow_on_disc].");

    CLI::App* events = registry.Add(
        "events", "The moons' transits, shadow transits, eclipses and occultations from the observing time",
        [args](CliContext& ctx) { return RunJupiterEvents(ctx, *args); }, planet);
    AddPlanetWord(*events, args->planet, {"jupiter"});
    AddNumber(*events, "--days", args->days, "N", "days searched from the observing time (default 1, at most 366)");
    events->footer("Times as the Earth sees them, to the second; the moon's centre against the flattened disc and "
                   "the shadow of a point Sun. Keys: events [moon, kind (transit_start, transit_end, shadow_start, "
                   "shadow_end, eclipse_disappearance, eclipse_reappearance, occultation_disappearance, "
                   "occultation_reappearance), jd_ut, local, planet_alt_deg, sun_alt_deg (at the site)].");

    CLI::App* face = registry.Add(
        "face", "The central meridians, phase and size of a planet for the observing time",
        [args](CliContext& ctx) {
            if (args->planet == "saturn") return RunSaturnFace(ctx);
            if (args->planet == "mars") return RunMarsFace(ctx);
            return RunJupiterFace(ctx, *args);
        },
        planet);
    AddPlanetWord(*face, args->planet, {"jupiter", "saturn", "mars"});
    AddNumber(*face, "--days", args->days, "N", "days searched for the Great Red Spot's transits (default 1)");
    face->footer("Keys, jupiter: cm_i_deg, cm_ii_deg, cm_iii_deg (west longitudes of the central meridian), "
                 "grs_transits_jd_ut (when the settings' GRS Longitude, System II, crosses it); saturn: "
                 "ring_tilt_earth_deg (B), ring_tilt_sun_deg (B'), ring_pa_deg, ring_major_arcsec, "
                 "ring_minor_arcsec (the outer edge); mars: cm_deg (west, IAU rotation), subsolar_lat_deg, "
                 "subearth_lat_deg, axis_pa_deg, defect_arcsec; all: phase_deg, diameter_arcsec (equatorial).");
}

}  // namespace vsp::cli
