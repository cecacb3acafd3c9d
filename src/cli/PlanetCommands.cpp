// planet moons|events|face PLANET: the face a planet turns to the observer and its moons about
// it for the observing time and site. Each command names the planets it takes; one that has no
// computation yet says so.

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

int NotYet(CliContext& ctx, const std::string& command, const std::string& planet) {
    return JobFailed(ctx, "planet " + command + " " + planet + " is not available yet; planet " + command +
                              " jupiter is");
}

// The instant of the observing time, or false with the failure printed.
bool ObservingInstant(CliContext& ctx, Instant& when, int& status) {
    when = LocalInstant(ctx.ObservingTime(), ctx.Ephemeris());
    if (IsInEarthEphemerisRange(when)) return true;
    status = JobFailed(ctx, OutOfRangeMessage(when.tt));
    return false;
}

std::string LocalClockText(double jdUt, int tzOffsetMinutes) {
    const CalendarDateTime t = CalendarFromJulianDay(jdUt + tzOffsetMinutes / 1440.0);
    return IsoDate(t.year, t.month, t.day) + " " + IsoClock(t.hour, t.minute, t.second);
}

int RunJupiterMoons(CliContext& ctx) {
    Instant when;
    int status = kExitOk;
    if (!ObservingInstant(ctx, when, status)) return status;
    GalileanSystem system;
    ComputeGalileanSystem(when, system);
    nlohmann::json moons = nlohmann::json::array();
    Rows rows;
    for (int m = 0; m < kGalileanMoonCount; ++m) {
        const GalileanMoonPlace& p = system.moons[m];
        moons.push_back({{"name", GalileanMoonName(m)},
                         {"x_radii", p.x},
                         {"y_radii", p.y},
                         {"in_front", p.inFront},
                         {"eclipsed", p.eclipsed},
                         {"occulted", p.occulted},
                         {"shadow_on_disc", p.shadowOnDisc}});
        std::string state = p.transiting ? "in transit" : p.occulted ? "behind the disc" : p.inFront ? "in front" : "behind";
        if (p.eclipsed) state += ", eclipsed";
        if (p.shadowOnDisc) state += ", shadow on the disc";
        rows.push_back({GalileanMoonName(m), Fixed(std::fabs(p.x), 2) + (p.x < 0.0 ? " W  " : " E  ") +
                                                 Fixed(std::fabs(p.y), 2) + (p.y < 0.0 ? " S  " : " N  ") + state});
    }
    if (ctx.Json()) {
        PrintJson(ctx, {{"moons", moons}});
        return kExitOk;
    }
    PrintRows(ctx, rows);
    ctx.Out() << "Radii of Jupiter from its centre, east and north on the sky; axis at " << Fixed(system.axisPositionAngleDeg, 1)
              << kDegreeUtf8 << "\n";
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
                          {"local", LocalClockText(e.jdUt, tz)},
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
    for (double jd : transits) rows.push_back({"GRS transit (" + Fixed(grs, 1) + kDegreeUtf8 + " II)", LocalClockText(jd, tz)});
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
        [args](CliContext& ctx) {
            if (args->planet != "jupiter") return NotYet(ctx, "moons", args->planet);
            return RunJupiterMoons(ctx);
        },
        planet);
    AddPlanetWord(*moons, args->planet, {"jupiter", "saturn"});
    moons->footer("Io, Europa, Ganymede and Callisto by Meeus's theory with light time. Keys: moons [name, x_radii, "
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
            if (args->planet != "jupiter") return NotYet(ctx, "face", args->planet);
            return RunJupiterFace(ctx, *args);
        },
        planet);
    AddPlanetWord(*face, args->planet, {"jupiter", "saturn", "mars"});
    AddNumber(*face, "--days", args->days, "N", "days searched for the Great Red Spot's transits (default 1)");
    face->footer("Keys: cm_i_deg, cm_ii_deg, cm_iii_deg (west longitudes of the central meridian), grs_transits_jd_ut "
                 "(when the settings' GRS Longitude, System II, crosses it), phase_deg, diameter_arcsec "
                 "(equatorial).");
}

}  // namespace vsp::cli
