#pragma once
// The texts of calendar dates and clock times that the commands, forms, chart and file names
// show: ISO 8601 dates ("2025-07-22", years before 1 with their sign as ISO 8601 extends them:
// "-0044-03-15"), the device's numeric dates in either order, and clock times. Fields are
// written as given (no range check, no rounding).

#include <string>
#include <string_view>

#include "ephemeris/Time.h"

namespace vsp {

std::string IsoDate(int year, int month, int day);
// "HH:MM:SS".
std::string IsoClock(int hour, int minute, int second);
// The local date and clock time of a UT Julian Date, "YYYY-MM-DD HH:MM:SS" (local = UT + offset).
std::string LocalDateTimeText(double jdUt, int tzOffsetMinutes);
// "HH:MM".
std::string ClockMinutes(int hour, int minute);
// "MM/DD/YYYY", or "DD/MM/YYYY" when the day comes first.
std::string NumericDate(int year, int month, int day, bool monthFirst);
// "MM/DD", or "DD/MM" when the day comes first.
std::string NumericDayMonth(int month, int day, bool monthFirst);
// "YYYY/MM/DD", the eclipse tables' order.
std::string YearFirstDate(int year, int month, int day);
// "Jul 22": the month's English abbreviation ("???" outside 1..12) and the day.
std::string ShortDate(int month, int day);
// "YYYYMMDD", the date at the head of a note's pictures.
std::string CompactDate(int year, int month, int day);
// "YYYYMMDD_word_HHMM", the name of a file written at that minute.
std::string StampedName(const CalendarDateTime& t, std::string_view word);
// A zone offset in minutes east of Greenwich, "+HH:MM" or "-HH:MM".
std::string IsoOffset(int minutes);

}  // namespace vsp
