#include "format/CalendarText.h"

#include <cstdlib>

#include "ephemeris/Time.h"
#include "platform/FormatText.h"

namespace vsp {

std::string IsoDate(int year, int month, int day) {
    return FormatText(year < 0 ? "-%04d-%02d-%02d" : "%04d-%02d-%02d", std::abs(year), month, day);
}

std::string IsoClock(int hour, int minute, int second) { return FormatText("%02d:%02d:%02d", hour, minute, second); }

std::string LocalDateTimeText(double jdUt, int tzOffsetMinutes) {
    const CalendarDateTime t = CalendarFromJulianDay(jdUt + tzOffsetMinutes / 1440.0);
    return IsoDate(t.year, t.month, t.day) + " " + IsoClock(t.hour, t.minute, t.second);
}

std::string ClockMinutes(int hour, int minute) { return FormatText("%02d:%02d", hour, minute); }

std::string NumericDate(int year, int month, int day, bool monthFirst) {
    return NumericDayMonth(month, day, monthFirst) + FormatText("/%04d", year);
}

std::string NumericDayMonth(int month, int day, bool monthFirst) {
    return monthFirst ? FormatText("%02d/%02d", month, day) : FormatText("%02d/%02d", day, month);
}

std::string YearFirstDate(int year, int month, int day) { return FormatText("%04d/%02d/%02d", year, month, day); }

std::string ShortDate(int month, int day) {
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return FormatText("%s %02d", month >= 1 && month <= 12 ? kMonths[month - 1] : "???", day);
}

std::string CompactDate(int year, int month, int day) { return FormatText("%04d%02d%02d", year, month, day); }

std::string StampedName(const CalendarDateTime& t, std::string_view word) {
    return CompactDate(t.year, t.month, t.day) + "_" + std::string(word) + FormatText("_%02d%02d", t.hour, t.minute);
}

std::string IsoOffset(int minutes) {
    const int size = std::abs(minutes);
    return FormatText("%c%02d:%02d", minutes < 0 ? '-' : '+', size / 60, size % 60);
}

}  // namespace vsp
