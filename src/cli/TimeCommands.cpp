// Time and angles: time, format, parse, calendar, deltat, jd.

#include <charconv>
#include <cstdio>
#include <ostream>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "format/AngleFormat.h"
#include "format/AngleParse.h"
#include "ephemeris/EarthOrientation.h"
#include "ephemeris/Time.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

// The shortest text that reads back as the same double.
std::string Shortest(double value) {
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : std::string("nan");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits from `at` up to the next `stop` (or the end); nullopt when empty or not digits.
std::optional<int> TakeNumberField(std::string_view text, size_t& at, char stop) {
    const size_t begin = at;
    while (at < text.size() && text[at] != stop) {
        if (!IsDigit(text[at]) || at - begin > 8) return std::nullopt;
        ++at;
    }
    if (at == begin) return std::nullopt;
    int value = 0;
    std::from_chars(text.data() + begin, text.data() + at, value);
    if (at < text.size()) ++at;  // the separator
    return value;
}

int MonthLength(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// YYYY-MM-DD; the year may be negative (astronomical numbering), the day must exist.
std::optional<CalendarDateTime> ReadDate(std::string_view text) {
    size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) at = 1;
    auto year = TakeNumberField(text, at, '-');
    auto month = TakeNumberField(text, at, '-');
    auto day = TakeNumberField(text, at, '\0');
    if (!year || !month || !day) return std::nullopt;
    CalendarDateTime t;
    t.year = negative ? -*year : *year;
    t.month = *month;
    t.day = *day;
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > MonthLength(t.year, t.month)) return std::nullopt;
    return t;
}

// HH:MM or HH:MM:SS into the clock fields of `t`.
bool ReadClock(std::string_view text, CalendarDateTime& t) {
    size_t at = 0;
    auto hour = TakeNumberField(text, at, ':');
    auto minute = TakeNumberField(text, at, ':');
    std::optional<int> second = 0;
    if (at < text.size()) second = TakeNumberField(text, at, '\0');
    if (!hour || !minute || !second || text.back() == ':') return false;
    if (*hour > 23 || *minute > 59 || *second > 59) return false;
    t.hour = *hour;
    t.minute = *minute;
    t.second = *second;
    return true;
}

// The words left once the options are taken. They are taken as they stand, so that a text or
// a date beginning with '-' ("-00:30", "-0500-03-01") is not mistaken for an option.
int TakePositionals(CliContext& ctx, CommandArgs& args, size_t least, size_t most,
                    std::string_view usage, std::vector<std::string>& words) {
    if (!args.error.empty()) return UsageError(ctx, args.error);
    words = args.Words();
    for (const std::string& word : words) {
        if (word.rfind("--", 0) == 0) return UsageError(ctx, "unknown option: " + word);
    }
    if (words.size() > most) return UsageError(ctx, "unexpected argument: " + words[most]);
    if (words.size() < least) return UsageError(ctx, usage);
    return kExitOk;
}

std::string IsoDate(int year, int month, int day) {
    char text[32];
    if (year < 0) {
        std::snprintf(text, sizeof text, "-%04d-%02d-%02d", -year, month, day);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    }
    return text;
}

std::string IsoClock(int hour, int minute, int second) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    return text;
}

std::string IsoOffset(int minutes) {
    char text[16];
    const int size = minutes < 0 ? -minutes : minutes;
    std::snprintf(text, sizeof text, "%c%02d:%02d", minutes < 0 ? '-' : '+', size / 60, size % 60);
    return text;
}

std::string UtcText(const CalendarDateTime& local, int offset) {
    int y = local.year, mo = local.month, d = local.day, h = local.hour, mi = local.minute;
    AddMinutes(y, mo, d, h, mi, -offset);
    return IsoDate(y, mo, d) + "T" + IsoClock(h, mi, local.second) + "Z";
}

}  // namespace

int RunTime(CliContext& ctx, CommandArgs& args) {
    if (int status = CheckNoLeftover(ctx, args)) return status;
    const CalendarDateTime t = ctx.ObservingTime();
    const EphemerisSettings settings = ctx.Ephemeris();
    const int offset = settings.location.tzOffset;

    const double jd = JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second, offset);
    const double jde = JulianEphemerisDay(t, offset, settings);
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

int RunFormat(CliContext& ctx, CommandArgs& args) {
    const auto codeText = args.TakeOption("--code");
    const auto fixedText = args.TakeOption("--fixed");
    std::vector<std::string> words;
    if (int status = TakePositionals(ctx, args, 1, 2, "format needs hours or degrees", words)) return status;
    if (words[0] != "hours" && words[0] != "degrees") return UsageError(ctx, "format needs hours or degrees");
    const std::optional<std::string> valueText =
        words.size() > 1 ? std::optional<std::string>(words[1]) : std::nullopt;
    const bool hours = words[0] == "hours";
    if (valueText.has_value() == fixedText.has_value()) {
        return UsageError(ctx, "format needs either a VALUE or --fixed N");
    }

    const TextFormats formats = ctx.Formats();
    int code = hours ? formats.hourFormat : formats.angleFormat;
    if (codeText) {
        const auto n = ParseWhole(*codeText);
        if (!n || *n < INT32_MIN || *n > INT32_MAX) return UsageError(ctx, "unreadable value for --code: " + *codeText);
        code = int(*n);
    }

    std::string text;
    if (fixedText) {
        const auto n = ParseWhole(*fixedText);
        if (!n || *n < INT32_MIN || *n > INT32_MAX) return UsageError(ctx, "unreadable value for --fixed: " + *fixedText);
        text = hours ? HmsFixToStr(int32_t(*n), code, formats.messages) : DmsFixToStr(int32_t(*n), code);
    } else {
        const auto value = ParseNumber(*valueText);
        if (!value) return UsageError(ctx, "unreadable value: " + *valueText);
        text = hours ? HMSToStr(*value, code, formats.messages) : DmsToStr(*value, code);
    }

    if (ctx.Json()) {
        PrintJson(ctx, {{"text", Cp1252ToUtf8(text)}});
    } else {
        ctx.Out() << Cp1252ToUtf8(text) << "\n";
    }
    return kExitOk;
}

int RunParse(CliContext& ctx, CommandArgs& args) {
    const bool asDegrees = args.TakeFlag("--hours-as-degrees");
    std::vector<std::string> words;
    if (int status = TakePositionals(ctx, args, 1, 1, "parse needs a TEXT", words)) return status;
    const std::string text = Utf8ToCp1252(words.front());
    const double value = asDegrees ? ParseHoursAsDegrees(text) : ParseSexagesimal(text);
    if (ctx.Json()) {
        PrintJson(ctx, {{"value", value}});
    } else {
        ctx.Out() << Shortest(value) << "\n";
    }
    return kExitOk;
}

int RunCalendar(CliContext& ctx, CommandArgs& args) {
    std::vector<std::string> words;
    if (int status = TakePositionals(ctx, args, 1, 1, "calendar needs a JD", words)) return status;
    const std::string* jdText = &words[0];
    const auto jd = ParseNumber(*jdText);
    if (!jd) return UsageError(ctx, "unreadable JD: " + *jdText);
    // The range a typed JD is accepted in, with the date/time assistant's message.
    if (!IsAcceptableJulianDay(*jd)) return JobFailed(ctx, kInvalidJdMessage);

    const CalendarDateTime t = CalendarFromJulianDay(*jd);
    if (ctx.Json()) {
        PrintJson(ctx, {{"year", t.year}, {"month", t.month}, {"day", t.day},
                        {"hour", t.hour}, {"minute", t.minute}, {"second", t.second}});
    } else {
        ctx.Out() << IsoDate(t.year, t.month, t.day) << " " << IsoClock(t.hour, t.minute, t.second)
                  << " UT\n";
    }
    return kExitOk;
}

int RunDeltaT(CliContext& ctx, CommandArgs& args) {
    std::vector<std::string> words;
    if (int status = TakePositionals(ctx, args, 1, 1, "deltat needs a date YYYY-MM-DD", words)) return status;
    const auto date = ReadDate(words[0]);
    if (!date) return UsageError(ctx, "unreadable date: " + words[0]);

    const double deltaT = DeltaT(date->year, date->month, date->day, ctx.Ephemeris());
    if (ctx.Json()) {
        PrintJson(ctx, {{"delta_t_s", deltaT}});
    } else {
        ctx.Out() << Fixed(deltaT, 3) << " s\n";
    }
    return kExitOk;
}

int RunJd(CliContext& ctx, CommandArgs& args) {
    std::vector<std::string> words;
    if (int status = TakePositionals(ctx, args, 1, 2, "jd needs a date YYYY-MM-DD", words)) return status;
    auto t = ReadDate(words[0]);
    if (!t) return UsageError(ctx, "unreadable date: " + words[0]);
    if (words.size() > 1 && !ReadClock(words[1], *t)) return UsageError(ctx, "unreadable time: " + words[1]);

    const int offset = ctx.Ephemeris().location.tzOffset;
    const double jd = JulianDayLocal(t->year, t->month, t->day, t->hour, t->minute, t->second, offset);
    if (ctx.Json()) {
        PrintJson(ctx, {{"jd", jd}});
    } else {
        ctx.Out() << Fixed(jd, 6) << "\n";
    }
    return kExitOk;
}

}  // namespace vsp::cli
