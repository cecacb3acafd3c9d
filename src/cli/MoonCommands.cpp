// moon: the Moon's age and phase picture, its lit fraction, distance and apparent size for the
// observing time, as the Moon screens show them.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "cli/MoonFaceCommands.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "ephemeris/MoonAge.h"
#include "ephemeris/Time.h"

namespace vsp::cli {
namespace {

int RunMoon(CliContext& ctx) {
    const CalendarDateTime when = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();

    BodyPosition moon;
    if (ComputeBody(moon, kBodyMoon, LocalInstant(when, settings), settings) != kEphemerisOk) {
        return JobFailed(ctx, "no place for the Moon");
    }
    int picture = 0;
    const double hour = when.hour + when.minute / 60.0 + when.second / 3600.0;
    const double ageFraction =
        MoonAge(when.year, when.month, when.day, hour, settings.location.tzOffset, picture);
    const double distanceKm = moon.distance * kKmPerAu;

    if (ctx.Json()) {
        PrintJson(ctx, {{"age_fraction", ageFraction},
                        {"picture_index", picture},
                        {"phase_fraction", moon.phaseFraction},
                        {"distance_km", distanceKm},
                        {"diameter_arcmin", moon.diameter}});
        return kExitOk;
    }
    PrintRows(ctx, {{"Age fraction", Fixed(ageFraction, 4)},
                    {"Picture index", std::to_string(picture) + " of 0-28"},
                    {"Phase fraction", Fixed(moon.phaseFraction, 4)},
                    {"Distance", Fixed(distanceKm, 1) + " km"},
                    {"Diameter", Fixed(moon.diameter, 3) + "'"}});
    return kExitOk;
}

}  // namespace

void AddMoonCommand(CommandRegistry& registry) {
    CLI::App* moon =
        registry.Add("moon", "The Moon's age, phase, distance and size for the observing time", RunMoon);
    moon->footer("Keys: age_fraction (the illuminated fraction from its age), picture_index (the phase "
                 "picture, 0 new ... 14 full ... 28), phase_fraction (from the phase angle), distance_km "
                 "(geocentric), diameter_arcmin.");
    AddMoonFaceCommands(registry, moon);
}

}  // namespace vsp::cli
