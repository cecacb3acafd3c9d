// The Sun, the Moon, the planets and Pluto: body (the record a screen shows, or the quick family),
// helio (a planet about the Sun) and earth (the Earth about the barycentre).

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/MoonQuick.h"
#include "ephemeris/PlanetHeliocentric.h"
#include "ephemeris/QuickPlanet.h"
#include "ephemeris/QuickSun.h"
#include "ephemeris/Time.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

// The bodies `body all` lists, in code order.
constexpr int kListedBodies[] = {kBodySun,     kBodyMoon,   kBodyMercury, kBodyVenus,
                                 kBodyMars,    kBodyJupiter, kBodySaturn, kBodyUranus,
                                 kBodyNeptune, kBodyPluto};

// A planet of the 1994 theory by number 1-8 or by name (the Earth's is the Earth-Moon
// barycentre).
std::optional<int> ReadPlanet(const std::string& word) {
    static const char* const kNames[] = {"mercury", "venus",  "earth",   "mars",
                                         "jupiter", "saturn", "uranus", "neptune"};
    const std::string name = Lower(word);
    for (int i = 0; i < 8; ++i) {
        if (name == kNames[i]) return i + 1;
    }
    const auto number = ParseWhole(word);
    if (number && *number >= 1 && *number <= 8) return int(*number);
    return std::nullopt;
}

// The failure of a body computation as the user reads it.
int BodyFailed(CliContext& ctx, int error, const CalendarDateTime& when, const EphemerisSettings& settings) {
    if (error == kEphemerisOutOfRange) {
        return JobFailed(ctx, OutOfRangeMessage(LocalInstant(when, settings).tt));
    }
    return JobFailed(ctx, "no theory for this body");
}

nlohmann::json BodyJson(int code, const BodyPosition& p, const BodyHorizon& h) {
    return {{"code", code},
            {"name", BodyName(code)},
            {"ra_hours", p.rightAscension},
            {"dec_deg", p.declination},
            {"distance_au", p.distance},
            {"phase_fraction", p.phaseFraction},
            {"magnitude", p.magnitude},
            {"illuminated_fraction", p.illuminatedFraction},
            {"diameter_arcmin", p.diameter},
            {"display_constant", p.displayConstant},
            {"elongation_deg", p.elongation},
            {"ecl_lon_deg", p.eclipticLongitude},
            {"ecl_lat_deg", p.eclipticLatitude},
            {"alt_deg", h.altitude},
            {"az_deg", h.azimuth}};
}

void PrintBody(CliContext& ctx, int code, const BodyPosition& p, const BodyHorizon& h,
               const EphemerisSettings& settings) {
    PrintRows(ctx, {{"Body", BodyTitleName(code) + " (" + std::to_string(code) + ")"},
                    {"RA", RaText(p.rightAscension, ctx.Formats())},
                    {"Dec", DecText(p.declination, ctx.Formats())},
                    {"Distance", Fixed(p.distance, 8) + " AU"},
                    {"Phase fraction", Fixed(p.phaseFraction, 4)},
                    {"Magnitude", Fixed(p.magnitude, 2)},
                    {"Illuminated fraction", Fixed(p.illuminatedFraction, 4)},
                    {"Diameter", Fixed(p.diameter, 4) + "'"},
                    {"Display constant", Fixed(p.displayConstant, 1)},
                    {"Elongation", Fixed(p.elongation, 4) + kDegreeUtf8},
                    {"Ecliptic longitude", Fixed(p.eclipticLongitude, 6) + kDegreeUtf8},
                    {"Ecliptic latitude", Fixed(p.eclipticLatitude, 6) + kDegreeUtf8},
                    {"Altitude", Fixed(h.altitude, 4) + kDegreeUtf8},
                    {"Azimuth", Fixed(h.azimuth, 4) + kDegreeUtf8}});
}

int ComputeAt(int code, const CalendarDateTime& when, const EphemerisSettings& settings,
              BodyPosition& place, BodyHorizon& horizon) {
    return ComputeBody(place, code, LocalInstant(when, settings), settings, &horizon);
}

int ShowOneBody(CliContext& ctx, int code) {
    const CalendarDateTime when = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    BodyPosition place;
    BodyHorizon horizon;
    if (int err = ComputeAt(code, when, settings, place, horizon)) {
        return BodyFailed(ctx, err, when, settings);
    }
    if (ctx.Json()) PrintJson(ctx, BodyJson(code, place, horizon));
    else PrintBody(ctx, code, place, horizon, settings);
    return kExitOk;
}

// Every body in a table.
int ShowAllBodies(CliContext& ctx) {
    const CalendarDateTime when = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    nlohmann::json list = nlohmann::json::array();
    std::vector<std::string> lines;
    for (int code : kListedBodies) {
        BodyPosition place;
        BodyHorizon horizon;
        if (int err = ComputeAt(code, when, settings, place, horizon)) {
            return BodyFailed(ctx, err, when, settings);
        }
        list.push_back(BodyJson(code, place, horizon));
        char line[160];
        std::snprintf(line, sizeof line, "%-8s %11.7f %11.6f %13.8f %7.2f %9.4f %9.4f", BodyName(code),
                      place.rightAscension, place.declination, place.distance, place.magnitude,
                      horizon.altitude, horizon.azimuth);
        lines.push_back(line);
    }
    if (ctx.Json()) {
        PrintJson(ctx, list);
        return kExitOk;
    }
    ctx.Out() << "body      ra_hours     dec_deg   distance_au     mag   alt_deg    az_deg\n";
    for (const std::string& line : lines) ctx.Out() << line << "\n";
    return kExitOk;
}

// The quick family at the observing time: the 1900 Sun, the Moon's short series
// (topocentric), or the planets' mean elements.
int ShowQuickBody(CliContext& ctx, int code) {
    const EphemerisSettings settings = ctx.Ephemeris();
    const Instant when = LocalInstant(ctx.ObservingTime(), settings);
    nlohmann::json out = {{"code", code}, {"name", BodyName(code)}};
    Rows rows = {{"Body", BodyTitleName(code) + " (" + std::to_string(code) + "), quick"}};
    if (code == kBodySun || code == kBodyEclipseSun) {
        const QuickSunPlace sun = QuickSun(Instant::FromUt(when.ut, 0.0));  // ΔT neglected
        out.update({{"ra_hours", sun.rightAscension},
                    {"dec_deg", sun.declination},
                    {"distance_au", sun.distance}});
        rows.insert(rows.end(), {{"RA", RaText(sun.rightAscension, ctx.Formats())},
                                 {"Dec", DecText(sun.declination, ctx.Formats())},
                                 {"Distance", Fixed(sun.distance, 8) + " AU"}});
    } else if (code == kBodyMoon) {
        double ra = 0.0, dec = 0.0, distance = 0.0;
        MoonQuick(ra, dec, when, settings, &distance);
        out.update({{"ra_hours", ra}, {"dec_deg", dec}, {"distance_au", distance}});
        rows.insert(rows.end(), {{"RA (topocentric)", RaText(ra, ctx.Formats())},
                                 {"Dec (topocentric)", DecText(dec, ctx.Formats())},
                                 {"Distance", Fixed(distance, 8) + " AU (geocentric)"}});
    } else {
        QuickPlanetPlace planet;
        if (QuickPlanet(code, when, planet) != kEphemerisOk) {
            return JobFailed(ctx, "no quick theory for this body");
        }
        out.update({{"ra_hours", planet.rightAscension},
                    {"dec_deg", planet.declination},
                    {"distance_au", planet.distance},
                    {"sun_distance_au", planet.heliocentricDistance},
                    {"earth_sun_distance_au", planet.sunDistance}});
        rows.insert(rows.end(), {{"RA (J2000)", RaText(planet.rightAscension, ctx.Formats())},
                                 {"Dec (J2000)", DecText(planet.declination, ctx.Formats())},
                                 {"Distance", Fixed(planet.distance, 6) + " AU"},
                                 {"From the Sun", Fixed(planet.heliocentricDistance, 6) + " AU"},
                                 {"Earth-Sun", Fixed(planet.sunDistance, 6) + " AU"}});
    }
    if (ctx.Json()) PrintJson(ctx, out);
    else PrintRows(ctx, rows);
    return kExitOk;
}

int PrintVectors(CliContext& ctx, double jde, const double p[3], const double v[3]) {
    if (ctx.Json()) {
        PrintJson(ctx, {{"x", p[0]}, {"y", p[1]}, {"z", p[2]}, {"vx", v[0]}, {"vy", v[1]}, {"vz", v[2]}});
        return kExitOk;
    }
    PrintRows(ctx, {{"JDE", Fixed(jde, 6)},
                    {"x", Fixed(p[0], 12) + " AU"},
                    {"y", Fixed(p[1], 12) + " AU"},
                    {"z", Fixed(p[2], 12) + " AU"},
                    {"vx", Fixed(v[0], 14) + " AU/day"},
                    {"vy", Fixed(v[1], 14) + " AU/day"},
                    {"vz", Fixed(v[2], 14) + " AU/day"}});
    return kExitOk;
}

struct BodyArgs {
    std::string name;
    bool quick = false;
    std::optional<double> jde;
};

int RunBody(CliContext& ctx, const BodyArgs& args) {
    if (Lower(args.name) == "all") {
        if (args.quick) return UsageError(ctx, "--quick takes one body, not all");
        return ShowAllBodies(ctx);
    }
    const auto code = ReadBodyCode(args.name, kBodyEarth);
    if (!code) return UsageError(ctx, "unknown body: " + args.name);
    return args.quick ? ShowQuickBody(ctx, *code) : ShowOneBody(ctx, *code);
}

int RunHelio(CliContext& ctx, const BodyArgs& args) {
    const auto planet = ReadPlanet(args.name);
    if (!planet) return UsageError(ctx, "unknown planet: " + args.name);
    double p[3], v[3];
    if (PlanetHeliocentric(InstantOfJde(*args.jde, ctx.Ephemeris()), *planet, p, v) != kEphemerisOk) {
        return JobFailed(ctx, "no position for this planet");
    }
    return PrintVectors(ctx, *args.jde, p, v);
}

int RunEarth(CliContext& ctx, double jde) {
    double p[3], v[3];
    if (EarthBarycentric(InstantOfJde(jde, ctx.Ephemeris()), p, v) != kEphemerisOk) {
        return JobFailed(ctx, OutOfRangeMessage(jde));
    }
    return PrintVectors(ctx, jde, p, v);
}

}  // namespace

void AddBodyCommands(CommandRegistry& registry) {
    auto body = std::make_shared<BodyArgs>();
    CLI::App* bodyCommand = registry.Add(
        "body", "Where the Sun, the Moon, a planet or Pluto is for the observing time, site and mode",
        [body](CliContext& ctx) { return RunBody(ctx, *body); });
    bodyCommand->add_option("name", body->name, "sun, moon, mercury ... neptune, pluto, earth, a body code "
                                                "(0-10, 13), or all")
        ->required();
    bodyCommand->add_flag("--quick", body->quick,
                          "the quick theories (the Sun from 1900 elements, of date; the Moon from the short "
                          "series, topocentric, mean equator of date; the planets and Pluto from J2000 mean "
                          "elements, J2000 place): ra_hours, dec_deg, distance_au and for the planets "
                          "sun_distance_au and earth_sun_distance_au");
    bodyCommand->footer("Keys: code, name, ra_hours, dec_deg (apparent, of date; refracted in modes 1 and 3), "
                        "distance_au (the planets': light time x c; the Moon's: geocentric), phase_fraction, "
                        "magnitude, illuminated_fraction (the Moon's: from its age), diameter_arcmin, "
                        "display_constant, elongation_deg, ecl_lon_deg, ecl_lat_deg, alt_deg, az_deg. Modes 2 "
                        "and 3 are topocentric. all: every body (JSON: a list).");

    auto helio = std::make_shared<BodyArgs>();
    CLI::App* helioCommand = registry.Add(
        "helio", "A planet about the Sun (Simon et al. 1994): keys x y z (AU), vx vy vz (AU/day), J2000 equator",
        [helio](CliContext& ctx) { return RunHelio(ctx, *helio); });
    helioCommand->add_option("planet", helio->name, "1-8 or mercury, venus, earth (the Earth-Moon barycentre), "
                                                    "mars, jupiter, saturn, uranus, neptune")
        ->required();
    AddJde(*helioCommand, helio->jde);

    auto earth = std::make_shared<std::optional<double>>();
    CLI::App* earthCommand = registry.Add(
        "earth", "The Earth about the solar-system barycentre, as the reduction uses it: keys x y z (AU), "
                 "vx vy vz (AU/day), J2000 equator",
        [earth](CliContext& ctx) { return RunEarth(ctx, **earth); });
    AddJde(*earthCommand, *earth);
    earthCommand->footer("X must lie from 2340000.5 to 2560000.5.");
}

}  // namespace vsp::cli
