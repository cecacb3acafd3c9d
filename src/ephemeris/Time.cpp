#include "ephemeris/Time.h"

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/tables/DeltaTTable.h"

namespace vsp {
namespace {

constexpr double kFirstJdAccepted = 1721057.5;     // 0h, January 1 of year 0
constexpr double kFirstJdRefused = 2524593.5;      // 0h, January 1, 2200
constexpr double kGregorianInverseSwitch = 2299161.0;
constexpr double kSiderealRate = 1.00273790935;    // sidereal per solar time

// The rounding of the second can give 60 (a JD a hair below a whole minute, which is what a
// computed JD usually is), and at the very end of a day the floors can give hour 24; a clock
// shows neither, so the excess is carried up through minute, hour, day, month and year.
void CarryClock(CalendarDateTime& t) {
    int minutes = t.hour * 60 + t.minute;
    if (t.second >= 60) {
        t.second -= 60;
        minutes += 1;
    }
    t.hour = t.minute = 0;
    AddMinutes(t.year, t.month, t.day, t.hour, t.minute, minutes);
}

// Both forms of the inverse conversion differ only in how a real becomes a whole number.
template <typename Whole>
CalendarDateTime CalendarFrom(double jd, Whole whole) {
    const double z = whole(jd + 0.5);
    const double f = jd + 0.5 - z;
    double a = z;
    if (z >= kGregorianInverseSwitch) {
        const double alpha = whole((z - 1867216.25) / 36524.25);
        a = z + 1 + alpha - whole(alpha / 4);
    }
    const double b = a + 1524;
    const double c = whole((b - 122.1) / kDaysPerJulianYear);
    const double d = whole(kDaysPerJulianYear * c);
    const double e = whole((b - d) / 30.6001);
    const double dayReal = b - d - whole(30.6001 * e) + f;

    CalendarDateTime t;
    t.day = int32_t(whole(dayReal));
    t.month = int32_t(e < 14 ? e - 1 : e - 13);
    t.year = int32_t(t.month > 2 ? c - 4716 : c - 4715);
    const double frac = dayReal - whole(dayReal);
    t.hour = int32_t(whole(24 * frac));
    t.minute = int32_t(whole((frac - t.hour / 24.0) * 1440));
    t.second = int32_t(std::trunc((frac - t.hour / 24.0 - t.minute / 1440.0) * 86400 + 0.5));
    CarryClock(t);
    return t;
}

}  // namespace

double JulianDay(int year, int month, int day) {
    if (month < 3) {
        year -= 1;
        month += 12;
    }
    double b = 0;
    // The calendar is taken as Gregorian from the March-based year 1584 on.
    if (year > 1583) {
        const int a = year / 100;
        b = 2 - a + std::floor(a / 4.0);
    }
    return std::floor(kDaysPerJulianYear * (year + 4716)) + std::floor(30.6001 * (month + 1)) + day + b - 1524.5;
}

double JulianDayLocal(int year, int month, int day, int hour, int minute, int second, int offset) {
    return JulianDay(year, month, day) + (hour + (minute - offset) / 60.0 + second / 3600.0) / 24.0;
}

Instant LocalInstant(const CalendarDateTime& local, const EphemerisSettings& settings) {
    const int offset = settings.location.tzOffset;
    const int deltaT = int(std::trunc(DeltaT(local.year, local.month, local.day, settings)));
    Instant when;
    when.ut = JulianDayLocal(local.year, local.month, local.day, local.hour, local.minute, local.second, offset);
    when.tt = JulianDayLocal(local.year, local.month, local.day, local.hour, local.minute,
                             local.second + deltaT, offset);
    when.deltaT = deltaT;
    return when;
}

Instant InstantOfJde(double jde, const EphemerisSettings& settings) {
    const CalendarDateTime date = CalendarFromJulianDay(jde);
    return Instant::FromTt(jde, std::trunc(DeltaT(date.year, date.month, date.day, settings)));
}

CalendarDateTime CalendarFromJulianDay(double jd) {
    return CalendarFrom(jd, [](double x) { return std::floor(x); });
}

CalendarDateTime CalendarFromJulianDayTruncating(double jd) {
    return CalendarFrom(jd, [](double x) { return std::trunc(x); });
}

bool IsLeapYear(int year) {
    if (year > 1583) return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return year % 4 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    if (month == 2 && IsLeapYear(year)) return 29;
    return kDays[month - 1];
}

double DecimalYear(int year, int month, int day) {
    const bool leap = IsLeapYear(year);
    const int k = leap ? 1 : 2;
    const int n = (275 * month) / 9 - k * ((month + 9) / 12) + day - 30;
    return year + double(n) / (leap ? 366 : 365);
}

double DeltaT(int year, int month, int day, const EphemerisSettings& settings) {
    if (year == settings.currentYear) return settings.deltaT;
    const double y = DecimalYear(year, month, day);
    const double t = (y - 2000) / 100;
    if (y < 948) {
        const double u = (y - 1820) / 100;
        return 31 * u * u;
    }
    if (y < 1620) return 50.6 + 67.5 * t + 22.5 * t * t;
    if (y <= 2006) {
        const double steps = (y - kDeltaTTableFirstYear) / kDeltaTTableStepYears;
        const int i = int(std::trunc(steps));
        // Past the table's last pair there is nothing to interpolate towards (Y <= 2006
        // never gets there, but the index is guarded, not assumed).
        if (i + 1 >= kDeltaTTableCount) return settings.deltaT;
        const double v0 = kDeltaTTable[i], v1 = kDeltaTTable[i + 1];
        return 0.1 * (v0 + (v1 - v0) * (steps - i));
    }
    if (y < 2100) return 102 + 102 * t + 25.3 * t * t + 0.37 * (y - 2100);
    return 102 + 102 * t + 25.3 * t * t;
}

double SiderealTime0h(int year, int month, int day) {
    const double t = (JulianDay(year, month, day) - kJ2000Jd) / kDaysPerJulianCentury;
    double theta = 100.46061837 + 36000.770053608 * t + 0.000387933 * t * t - t * t * t / 38710000;
    return ReduceAngle(theta, 360.0) / 15;
}

double LocalSiderealTime(int year, int month, int day, int hour, int minute, int second,
                         double longitudeWest, int offset) {
    double theta = SiderealTime0h(year, month, day) +
                   (hour + (minute - offset + second / 60.0) / 60.0) * kSiderealRate -
                   longitudeWest / 15;
    return ReduceAngle(theta, 24.0);
}

void AddMinutes(int& year, int& month, int& day, int& hour, int& minute, int minutes) {
    minute += minutes;
    while (minute > 59) {
        minute -= 60;
        if (++hour <= 23) continue;
        hour = 0;
        if (++day <= DaysInMonth(year, month)) continue;
        day = 1;
        if (++month <= 12) continue;
        month = 1;
        ++year;
    }
    while (minute < 0) {
        minute += 60;
        if (--hour >= 0) continue;
        hour = 23;
        if (--day >= 1) continue;
        if (--month < 1) {
            month = 12;
            --year;
        }
        day = DaysInMonth(year, month);
    }
}

bool IsAcceptableJulianDay(double jd) {
    return jd >= kFirstJdAccepted && jd < kFirstJdRefused;
}

}  // namespace vsp
