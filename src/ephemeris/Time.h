#pragma once
// Calendar dates, Julian Dates, ΔT and sidereal time. Every other ephemeris file calls these
// and none does its own calendar arithmetic.

#include <cstdint>

#include "ephemeris/EphemerisSettings.h"

namespace vsp {

struct CalendarDateTime {
    int32_t year = 0, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

double JulianDay(int year, int month, int day);  // JD of 0h of that date
// JD (UT) of a local clock time; offset in minutes, local = UT + offset.
double JulianDayLocal(int year, int month, int day, int hour, int minute, int second, int offset);
// JDE: ΔT of the date, truncated to whole seconds, added to the seconds before conversion.
double JulianEphemerisDay(const CalendarDateTime& local, int offset, const EphemerisSettings& settings);
// Flooring form (the program's) and truncating form (the date/time assistant's); they agree
// for every JD >= 0. The second is rounded to the nearest whole one and a rounded 60 is
// carried into the minute (and on up to the year), so the fields are always a valid clock.
CalendarDateTime CalendarFromJulianDay(double jd);
CalendarDateTime CalendarFromJulianDayTruncating(double jd);
bool IsLeapYear(int year);
double DecimalYear(int year, int month, int day);
double DeltaT(int year, int month, int day, const EphemerisSettings& settings);
double SiderealTime0h(int year, int month, int day);  // hours
double LocalSiderealTime(int year, int month, int day, int hour, int minute, int second,
                         double longitudeWest, int offset);  // hours in [0, 24]
void AddMinutes(int& year, int& month, int& day, int& hour, int& minute, int minutes);
// The date/time assistant's range for a typed JD: 1721057.5 <= JD < 2524593.5.
bool IsAcceptableJulianDay(double jd);
inline constexpr char kInvalidJdMessage[] = "Invalid JD date";

}  // namespace vsp
