#pragma once
// Calendar dates, Julian Dates, ΔT and sidereal time. Every other ephemeris file calls these
// and none does its own calendar arithmetic.

#include <cstdint>

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Instant.h"

namespace vsp {

// The program's one calendar date and clock time: the observer's local civil time unless a
// name says UT. Its two halves stand alone where only one is meant (a typed date, a typed
// clock time). Aggregate order year, month, day, hour, minute, second; a stored layout (the
// list file's minutes, the settings' 16-bit fields) writes its own widths from these.
struct CalendarDay {
    int32_t year = 0, month = 1, day = 1;
    bool operator==(const CalendarDay&) const = default;
};
struct ClockTime {
    int32_t hour = 0, minute = 0, second = 0;
    bool operator==(const ClockTime&) const = default;
};
struct CalendarDateTime : CalendarDay, ClockTime {
    bool operator==(const CalendarDateTime&) const = default;
};
// The same time with the second dropped, for what is kept to the minute.
inline CalendarDateTime ToTheMinute(CalendarDateTime t) {
    t.second = 0;
    return t;
}

// JD of 0h of a calendar date, Gregorian from the March-based year 1584, Julian before
// (J. Meeus, Astronomical Algorithms, 2nd ed., Willmann-Bell 1998, ch. 7). Agrees exactly
// with ERFA cal2jd where both take the same calendar.
double JulianDay(int year, int month, int day);
// JD (UT) of a local clock time; offset in minutes, local = UT + offset.
double JulianDayLocal(int year, int month, int day, int hour, int minute, int second, int offset);
// The instant of a local clock time for the settings' observer: UT by the zone offset, and
// TT with ΔT of the date (DeltaT below) truncated to whole seconds and added to the seconds
// before the conversion, so that the instant's ΔT is that whole number.
Instant LocalInstant(const CalendarDateTime& local, const EphemerisSettings& settings);
// The instant of a JDE: its UT by ΔT of the JDE's date, truncated to whole seconds likewise.
Instant InstantOfJde(double jde, const EphemerisSettings& settings);
// Flooring form (the program's) and truncating form (the date/time assistant's); they agree
// for every JD >= 0. The second is rounded to the nearest whole one and a rounded 60 is
// carried into the minute (and on up to the year), so the fields are always a valid clock.
CalendarDateTime CalendarFromJulianDay(double jd);
CalendarDateTime CalendarFromJulianDayTruncating(double jd);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 31 for a month outside 1..12
double DecimalYear(int year, int month, int day);
// ΔT = TT - UT in seconds for a date: the settings' value in the observing year, else
// 31 u^2 (u = (Y - 1820)/100) before 948, 50.6 + 67.5 t + 22.5 t^2 to 1620, the table of
// Meeus ch. 10 (table 10.A) interpolated to 2006, and 102 + 102 t + 25.3 t^2 (+ 0.37 (Y - 2100)
// before 2100) after it, t = (Y - 2000)/100 (Meeus ch. 10).
double DeltaT(int year, int month, int day, const EphemerisSettings& settings);
// Greenwich mean sidereal time at 0h UT of a date, hours in [0, 24) (IAU 1982; Meeus eq.
// 12.3). Within 1e-7 h of ERFA gmst82 over 1800-2200.
double SiderealTime0h(int year, int month, int day);
// Local mean sidereal time, hours in [0, 24), of a local clock time (offset in minutes, local
// = UT + offset) at a longitude in degrees west: the 0h value advanced at 1.00273790935
// sidereal per solar time. Within 1e-7 h of ERFA gmst82.
double LocalSiderealTime(int year, int month, int day, int hour, int minute, int second,
                         double longitudeWest, int offset);
void AddMinutes(int& year, int& month, int& day, int& hour, int& minute, int minutes);
// The date/time assistant's range for a typed JD: 1721057.5 <= JD < 2524593.5.
bool IsAcceptableJulianDay(double jd);
inline constexpr char kInvalidJdMessage[] = "Invalid JD date";

}  // namespace vsp
