// Time and angles: time, format, parse, calendar, deltat, jd.

#include <charconv>
#include <cstdio>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "format/AngleFormat.h"
#include "format/AngleParse.h"
#include "ephemeris/EarthOrientation.h"
#include "ephemeris/Time.h"
#include "format/CalendarText.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

// The shortest text that reads back as the same double.
std::string Shortest(double value) {
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : std::string("nan");
}


std::string UtcText(const CalendarDateTime& local, int offset) {
    int y = local.year, mo = local.month, d = local.day, h = local.hour, mi = local.minute;
    AddMinutes(y, mo, d, h, mi, -offset);
    return IsoDate(y, mo, d) + "T" + IsoClock(h, mi, local.second) + "Z";
}

int RunTime(CliContext& ctx) {
    const CalendarDateTime t = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    const int offset = settings.location.tzOffset;

    const Instant when = LocalInstant(t, settings);
    const double jd = when.ut, jde = when.tt;
    const double deltaT = DeltaT(t.year, t.month, t.day, settings);
    const double decimalYear = DecimalYear(t.year, t.month, t.day);
    const double gmst0 = SiderealTime0h(t.year, t.month, t.day);
    const double lmst = LocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second,
                                          settings.location.longitudeWest, offset);
    // The day fraction kept apart from the JD of 0h, so no precision is lost to the large JD.
    const double dayFraction = (t.hour + (t.minute - offset) / 60.0 + t.second / 3600.0) / 24.0;
    const double gast = SiderealTimeApparent(JulianDay(t.year, t.month, t.day), dayFraction,
                                             EarthTilt(jde).equationOfEquinoxes);
    const std::string local = IsoDate(t.year, t.month, t.day) + "T" +
                              IsoClock(t.hour, t.minute, t.second) + IsoOffset(offset);
    const std::string utc = UtcText(t, offset);

    if (ctx.Json()) {
        PrintJson(ctx, {{"local", local},
                        {"utc", utc},
                        {"jd_ut", jd},
                        {"jde", jde},
                        {"delta_t_s", deltaT},
                        {"decimal_year", decimalYear},
                        {"gmst0_hours", gmst0},
                        {"lmst_hours", lmst},
                        {"gast_hours", gast}});
        return kExitOk;
    }
    PrintRows(ctx, {{"Local time", local},
                    {"UTC", utc},
                    {"JD (UT)", Fixed(jd, 6)},
                    {"JDE", Fixed(jde, 6)},
                    {"Delta T", Fixed(deltaT, 3) + " s"},
                    {"Decimal year", Fixed(decimalYear, 6)},
                    {"GMST at 0h UT", Fixed(gmst0, 7) + " h  " + Cp1252ToUtf8(HMSToStr(gmst0, 1, nullptr))},
                    {"Local mean ST", Fixed(lmst, 7) + " h  " + Cp1252ToUtf8(HMSToStr(lmst, 1, nullptr))},
                    {"Greenwich apparent ST", Fixed(gast, 7) + " h  " + Cp1252ToUtf8(HMSToStr(gast, 1, nullptr))}});
    return kExitOk;
}

struct FormatArgs {
    std::string unit;                   // hours or degrees
    std::optional<double> value;
    std::optional<int32_t> fixed;
    std::optional<int> code;
};

int RunFormat(CliContext& ctx, const FormatArgs& args) {
    const bool hours = args.unit == "hours";
    const TextFormats formats = ctx.Formats();
    const int code = args.code.value_or(hours ? formats.hourFormat : formats.angleFormat);
    if (!args.value && !args.fixed) return UsageError(ctx, "format needs either a VALUE or --fixed N");
    std::string text;
    if (args.fixed) {
        text = hours ? HmsFixToStr(*args.fixed, code, formats.messages) : DmsFixToStr(*args.fixed, code);
    } else {
        text = hours ? HMSToStr(*args.value, code, formats.messages) : DmsToStr(*args.value, code);
    }

    if (ctx.Json()) {
        PrintJson(ctx, {{"text", Cp1252ToUtf8(text)}});
    } else {
        ctx.Out() << Cp1252ToUtf8(text) << "\n";
    }
    return kExitOk;
}

int RunParse(CliContext& ctx, const std::string& typed, bool asDegrees) {
    const std::string text = Utf8ToCp1252(typed);
    const double value = asDegrees ? ParseHoursAsDegrees(text) : ParseSexagesimal(text);
    if (ctx.Json()) {
        PrintJson(ctx, {{"value", value}});
    } else {
        ctx.Out() << Shortest(value) << "\n";
    }
    return kExitOk;
}

int RunCalendar(CliContext& ctx, double jd) {
    // The range a typed JD is accepted in, with the date/time assistant's message.
    if (!IsAcceptableJulianDay(jd)) return JobFailed(ctx, kInvalidJdMessage);

    const CalendarDateTime t = CalendarFromJulianDay(jd);
    if (ctx.Json()) {
        PrintJson(ctx, {{"year", t.year}, {"month", t.month}, {"day", t.day},
                        {"hour", t.hour}, {"minute", t.minute}, {"second", t.second}});
    } else {
        ctx.Out() << IsoDate(t.year, t.month, t.day) << " " << IsoClock(t.hour, t.minute, t.second)
                  << " UT\n";
    }
    return kExitOk;
}

int RunDeltaT(CliContext& ctx, const CalendarDay& date) {
    const double deltaT = DeltaT(date.year, date.month, date.day, ctx.Ephemeris());
    if (ctx.Json()) {
        PrintJson(ctx, {{"delta_t_s", deltaT}});
    } else {
        ctx.Out() << Fixed(deltaT, 3) << " s\n";
    }
    return kExitOk;
}

int RunJd(CliContext& ctx, const CalendarDay& date, const ClockTime& clock) {
    const int offset = ctx.Ephemeris().location.tzOffset;
    const double jd = JulianDayLocal(date.year, date.month, date.day, clock.hour, clock.minute, clock.second, offset);
    if (ctx.Json()) {
        PrintJson(ctx, {{"jd", jd}});
    } else {
        ctx.Out() << Fixed(jd, 6) << "\n";
    }
    return kExitOk;
}

struct DateArgs {
    std::optional<CalendarDay> date;
    std::optional<ClockTime> clock;
};

void AddFormatCommand(CommandRegistry& registry) {
    auto args = std::make_shared<FormatArgs>();
    CLI::App* format = registry.Add(
        "format", "The text a screen shows for a time or an angle",
        [args](CliContext& ctx) { return RunFormat(ctx, *args); });
    format->add_option("unit", args->unit, "hours or degrees")->required()->check(CLI::IsMember({"hours", "degrees"}));
    CLI::Option* value = format->add_option("value", args->value, "decimal hours or degrees")->type_name("VALUE")->check(FiniteNumber());
    CLI::Option* fixed = format->add_option("--fixed", args->fixed, "a fixed-point value, 292818 units per hour or degree");
    value->excludes(fixed);
    format->add_option("--code", args->code,
                       "hours 0 \"23.7500\", 1 \"23:45:00\", 2 \"23h45m00\", 3 \"23h45.0\"; degrees 0 "
                       "\"-70.7500\", 1 \"-70:45:00\", 2 \"-70°45'00\", 3 \"-70°45.0\" (default: the "
                       "preferences' RA or Dec format)");
    format->footer("Give either VALUE or --fixed N. JSON key: text.");
}

}  // namespace

void AddTimeCommands(CommandRegistry& registry) {
    registry.Add("time",
                 "Julian Dates (UT and dynamical), ΔT, decimal year and sidereal times of the observing date and "
                 "time",
                 [](CliContext& ctx) { return RunTime(ctx); })
        ->footer("Keys: local, utc, jd_ut, jde (ΔT added, cut to whole seconds), delta_t_s, decimal_year, "
                 "gmst0_hours (mean sidereal time at 0h UT of the local date), lmst_hours, gast_hours.");
    AddFormatCommand(registry);

    auto typed = std::make_shared<std::pair<std::string, bool>>();
    CLI::App* parse = registry.Add("parse", "The value of a typed time or angle",
                                   [typed](CliContext& ctx) { return RunParse(ctx, typed->first, typed->second); });
    parse->add_option("text", typed->first, "\"23.75\", \"23:45:12\", \"23h45m12\", \"23 45 12\", \"23h45.2\", \"-00:30\"")
        ->required();
    parse->add_flag("--hours-as-degrees", typed->second, "typed hours given as degrees (x 15)");
    parse->footer("Unreadable text gives 0. JSON key: value.");

    auto jd = std::make_shared<double>();
    registry.Add("calendar", "The UT calendar date and time of a Julian Date",
                 [jd](CliContext& ctx) { return RunCalendar(ctx, *jd); })
        ->footer("Keys year month day hour minute second. A JD is accepted from 1721057.5 (year 0) up to, not "
                 "including, 2524593.5 (year 2200).")
        ->add_option("jd", *jd, "Julian Date")->required()->type_name("JD");

    auto when = std::make_shared<DateArgs>();
    CLI::App* deltat = registry.Add("deltat", "ΔT (TT - UT) in seconds for a date (key delta_t_s)",
                                    [when](CliContext& ctx) { return RunDeltaT(ctx, *when->date); });
    AddDate(*deltat, "date", when->date, "the date")->required();
    deltat->footer("A date in the year of the observing date (--date, else today) gets the ΔT of the preferences.");

    auto local = std::make_shared<DateArgs>();
    CLI::App* jdCommand = registry.Add("jd", "The Julian Date (UT) of a local clock time, zone --tz or the site's (key jd)",
                                       [local](CliContext& ctx) {
                                           return RunJd(ctx, *local->date, local->clock.value_or(ClockTime{}));
                                       });
    AddDate(*jdCommand, "date", local->date, "the local date")->required();
    AddClockTime(*jdCommand, "time", local->clock, "the local clock time (default 00:00:00)");
}

}  // namespace vsp::cli
