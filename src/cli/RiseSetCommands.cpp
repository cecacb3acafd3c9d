// When things rise and set: riseset (a body by the interpolating method, a fixed position by
// the direct one) and daylength (the day-length assistant's figures).

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
#include "format/AngleFormat.h"
#include "format/BodyRiseSet.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/DayLength.h"
#include "format/CalendarText.h"
#include "format/RiseSetText.h"
#include "ephemeris/RiseTransitSet.h"
#include "ephemeris/Time.h"
#include "platform/Text.h"
#include "settings/PreferenceTable.h"

namespace vsp::cli {
namespace {

// A fixed position's rise and set refer to the horizon itself: the direct method takes the dip
// of the horizon, refraction and semidiameter off on its own.
constexpr double kFixedH0 = 0.0;

int BodyFailed(CliContext& ctx, int error, const CalendarDateTime& when, const EphemerisSettings& settings) {
    if (error == kEphemerisOutOfRange) {
        return JobFailed(ctx, OutOfRangeMessage(LocalInstant(when, settings).tt));
    }
    return JobFailed(ctx, "no theory for this body");
}

void PrintTimes(CliContext& ctx, const std::string& what, const CalendarDateTime& date, double h0,
                const RiseTransitSetTimes& times, const EphemerisSettings& settings) {
    if (ctx.Json()) return;
    ctx.Out() << what << "  " << IsoDate(date.year, date.month, date.day) << "  h0 " << Fixed(h0, 4) << "\xC2\xB0\n";
    for (const std::string& line : RiseTransitSetLines(times, ctx.Formats()))
        ctx.Out() << Cp1252ToUtf8(line) << "\n";
}

void PrintTimesJson(CliContext& ctx, nlohmann::json out, double h0, const RiseTransitSetTimes& times) {
    out.update({{"rise", times.rise},
                {"transit", times.transit},
                {"set", times.set},
                {"status", RiseSetStatusKey(times.status)},
                {"h0_deg", h0}});
    PrintJson(ctx, out);
}

struct RiseSetArgs {
    std::optional<std::string> name;
    std::optional<double> ra, dec, h0;
};

int RunRiseSet(CliContext& ctx, const RiseSetArgs& args) {
    const std::optional<double>& ra = args.ra;
    const std::optional<double>& dec = args.dec;
    const std::optional<double>& h0 = args.h0;
    const bool fixed = ra || dec;
    if (fixed && (!ra || !dec)) return UsageError(ctx, "riseset needs both --ra H and --dec D");
    if (fixed && args.name) return UsageError(ctx, "riseset takes a NAME or --ra/--dec, not both");
    if (!fixed && !args.name) return UsageError(ctx, "riseset needs a NAME (sun, moon, mercury ... pluto, a code) or --ra H --dec D");

    const CalendarDateTime when = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    // A raised horizon (the "Horizon" preference) lifts the standard altitude by its height.
    const double horizon = HorizonDegrees(ctx.Prefs().horizon);
    RiseTransitSetTimes times;

    if (fixed) {
        const double altitude = h0.value_or(kFixedH0 + horizon);
        Lst12Cache cache;
        RiseTransitSetFixed(when.year, when.month, when.day, settings.location, altitude,
                            *ra == 24.0 ? 0.0 : *ra, *dec, cache, times);
        if (ctx.Json()) PrintTimesJson(ctx, {{"ra_hours", *ra}, {"dec_deg", *dec}}, altitude, times);
        else
            PrintTimes(ctx, "RA " + Fixed(*ra, 4) + " h  Dec " + Fixed(*dec, 4) + "\xC2\xB0", when, altitude, times,
                       settings);
        return kExitOk;
    }

    // The Earth (code 10) neither rises nor sets.
    const auto code = ReadBodyCode(*args.name, kBodyEarth - 1);
    if (!code) return UsageError(ctx, "unknown body: " + *args.name);
    const double altitude = h0.value_or(BodyStandardAltitude(*code) + horizon);
    CalendarDateTime failedDay;
    if (int err = BodyRiseTransitSet(*code, when.year, when.month, when.day, altitude, settings, times, &failedDay)) {
        return BodyFailed(ctx, err, failedDay, settings);
    }
    if (ctx.Json()) {
        PrintTimesJson(ctx, {{"code", *code}, {"name", BodyName(*code)}}, altitude, times);
    } else {
        PrintTimes(ctx, BodyTitleName(*code), when, altitude, times, settings);
    }
    return kExitOk;
}

int RunDayLength(CliContext& ctx) {
    const CalendarDateTime when = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    const DayLengthReport day = ComputeDayLength(when, settings);
    if (ctx.Json()) {
        PrintJson(ctx, {{"sunrise", day.sun.rise},
                        {"sunset", day.sun.set},
                        {"status", RiseSetStatusKey(day.sun.status)},
                        {"day_length_h", day.dayLength},
                        {"day_change_s", day.dayChange},
                        {"night_length_h", day.nightLength},
                        {"civil_h", day.civilDay},
                        {"nautical_h", day.nauticalDay},
                        {"astronomical_h", day.astronomicalDay},
                        {"lmst_hours", day.localSiderealTime},
                        {"tz_hours", day.tzHours},
                        {"sunrise_az_deg", day.sunriseAzimuth}});
        return kExitOk;
    }
    ctx.Out() << "Day length" << DayLengthText(day.dayLength) << DayChangeText(day.dayChange) << "\n";
    ctx.Out() << "Night length" << DayLengthText(day.nightLength) << "\n";
    PrintRows(ctx, {{"Sunrise", Cp1252ToUtf8(HMSToStr(day.sun.rise, ctx.Formats()))},
                    {"Sunset", Cp1252ToUtf8(HMSToStr(day.sun.set, ctx.Formats()))},
                    {"Civil day", HoursMinutesText(day.civilDay)},
                    {"Nautical day", HoursMinutesText(day.nauticalDay)},
                    {"Astronomical day", HoursMinutesText(day.astronomicalDay)},
                    {"LST", Cp1252ToUtf8(HMSToStr(day.localSiderealTime, ctx.Formats()))},
                    {"Time zone", TimeZoneText(settings.location.tzOffset)},
                    {"Sunrise azimuth", Cp1252ToUtf8(AzimuthText(day.sunriseAzimuth))}});
    return kExitOk;
}

}  // namespace

void AddRiseSetCommands(CommandRegistry& registry) {
    auto args = std::make_shared<RiseSetArgs>();
    CLI::App* riseset = registry.Add(
        "riseset", "Rise, transit and set of a body or a fixed position on the observing date",
        [args](CliContext& ctx) { return RunRiseSet(ctx, *args); });
    riseset->add_option("name", args->name, "sun, moon, mercury ... neptune, pluto or a body code");
    AddRaDec(*riseset, args->ra, args->dec, false);
    AddNumber(*riseset, "--h0", args->h0, "DEG", "the altitude of rise and set, used as given")
        ->check(CLI::Range(-90.0, 90.0));
    riseset->footer(
        "Decimal hours of the local day: keys rise, transit, set, h0_deg, and status: normal, circumpolar or "
        "never_rises. A body is interpolated between its apparent geocentric places at 0h local of the day "
        "before, the day and the day after; h0 is the altitude of the centre as seen from the site (the body's "
        "horizontal parallax is added internally): -0.833333 for the Sun and the Moon, -0.5667 for the others. "
        "--ra/--dec: a fixed position of date by the direct method, h0 0 (the dip of the horizon for the site's "
        "height and 36.6' for refraction and semidiameter are taken off). The preference \"Horizon\" (0 to 10 "
        "degrees) raises the default h0 by its height. A body that never sets gives rise 0, set 23.99 (transit "
        "12.0 for a body); one that never rises gives 0, 0, 0.");

    registry.Add("daylength", "Sunrise, sunset, day and night length, twilights for the observing date",
                 RunDayLength)
        ->footer("Keys: sunrise, sunset (h0 -0.833333, local hours), day_length_h, day_change_s (from the day "
                 "before), night_length_h, civil_h, nautical_h, astronomical_h (between the Sun's crossings "
                 "of -6, -12 and -18 degrees), lmst_hours, tz_hours, sunrise_az_deg.");
}

}  // namespace vsp::cli
