// `polar [--south]`: where the pole star stands in a polar scope at the observing time and
// site: its hour angle, clock position (inverted as a polar scope shows it, and erect), its
// distance from the pole and its next upper transit.

#include <memory>
#include <string>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "ephemeris/PoleStar.h"
#include "format/AngleFormat.h"
#include "format/CalendarText.h"
#include "format/EventText.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

struct PolarArgs {
    bool south = false;
};

int RunPolar(CliContext& ctx, const PolarArgs& args) {
    const CelestialPole pole = args.south ? CelestialPole::kSouth : CelestialPole::kNorth;
    const EphemerisSettings settings = ctx.Ephemeris();
    const Instant when = LocalInstant(ctx.ObservingTime(), settings);
    PoleStarPosition star;
    if (PoleStarAt(pole, when, settings, star) != 0) return JobFailed(ctx, OutOfRangeMessage(when.tt));
    const std::string name = PoleStarOf(pole).name;
    const std::string transit = LocalDateTimeText(star.nextUpperTransitUt, settings.location.tzOffset);
    if (ctx.Json()) {
        PrintJson(ctx, {{"star", name},
                        {"ra_hours", star.raHours},
                        {"dec_deg", star.decDeg},
                        {"hour_angle_hours", star.hourAngleHours},
                        {"clock", ClockFaceText(star.clockInverted)},
                        {"clock_erect", ClockFaceText(star.clockErect)},
                        {"pole_distance_arcmin", star.poleDistanceArcmin},
                        {"next_upper_transit", transit},
                        {"next_upper_transit_jd_ut", star.nextUpperTransitUt}});
        return kExitOk;
    }
    const TextFormats formats = ctx.Formats();
    PrintRows(ctx, {{"Star", name},
                    {"RA", RaText(star.raHours, formats)},
                    {"Dec", DecText(star.decDeg, formats)},
                    {"Hour angle", Cp1252ToUtf8(HMSToStr(star.hourAngleHours, formats))},
                    {"Clock (polar scope)", ClockFaceText(star.clockInverted)},
                    {"Clock (erect)", ClockFaceText(star.clockErect)},
                    {"Pole distance", Fixed(star.poleDistanceArcmin, 2) + "'"},
                    {"Next upper transit", transit + " local"}});
    return kExitOk;
}

}  // namespace

void AddPolarCommand(CommandRegistry& registry) {
    auto args = std::make_shared<PolarArgs>();
    CLI::App* polar = registry.Add("polar", "Where the pole star stands in a polar scope now",
                                   [args](CliContext& ctx) { return RunPolar(ctx, *args); });
    polar->add_flag("--south", args->south, "sigma Octantis around the south pole instead of Polaris");
    polar->footer(
        "The apparent place of date (topocentric, without refraction) of Polaris (HIP 11767) or sigma Octantis "
        "(HIP 104382) at the observing time and site. The clock is the star's place on a 12-hour face around the "
        "pole with 12 at the top: clock as a polar scope shows it (turned by half a turn: Polaris at hour angle 0 "
        "stands at 6:00), clock_erect as the sky shows it facing the pole (12:00 at upper transit). Keys: star, "
        "ra_hours, dec_deg, hour_angle_hours (local apparent sidereal time - RA, 0 to 24), clock, clock_erect "
        "(h:mm), pole_distance_arcmin, next_upper_transit (local date and time), next_upper_transit_jd_ut.");
}

}  // namespace vsp::cli
