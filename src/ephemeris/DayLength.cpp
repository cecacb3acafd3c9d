#include "ephemeris/DayLength.h"

#include "ephemeris/Interpolate.h"
#include "ephemeris/QuickSun.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

CalendarDay ShiftDays(int year, int month, int day, int days) {
    return CalendarFromJulianDay(JulianDay(year, month, day) + days);
}

RiseTransitSetTimes SunTimes(const CalendarDay& date, double h0, const EphemerisSettings& settings) {
    return SunCrossings(date.year, date.month, date.day, h0, settings);
}

// From the morning to the evening crossing; where the zone puts the evening crossing before
// the morning one on the clock, the day runs through midnight.
double Interval(const RiseTransitSetTimes& times) {
    const double hours = times.set - times.rise;
    return hours < 0.0 ? hours + 24.0 : hours;
}

// Where the Sun stands at the moment it rises: its place read between the daily positions and
// the sidereal time of that clock time.
double AzimuthAtRise(const CalendarDay& date, const ThreeDayPlaces& sun, double rise,
                     const EphemerisSettings& settings) {
    const ObserverLocation& observer = settings.location;
    const double n = rise / 24.0;
    double ra1 = sun.ra1, ra2 = sun.ra2, ra3 = sun.ra3;
    if (ra2 < ra1) ra2 += 24.0;
    if (ra3 < ra2) ra3 += 24.0;
    const double ra = Interpolate3(ra1, ra2, ra3, n);
    const double dec = Interpolate3(sun.dec1, sun.dec2, sun.dec3, n);
    const double lst0 = LocalSiderealTime(date.year, date.month, date.day, 0, 0, 0,
                                          observer.longitudeWest, observer.tzOffset);
    const double lst = lst0 + rise * 1.00273790935;
    return Azimuth(lst, ra, dec, observer.latitude);
}

}  // namespace

ThreeDayPlaces QuickSunPlaces(int year, int month, int day, int tzOffset) {
    // ΔT neglected, as the tables always have (see QuickSun).
    const Instant midnight = Instant::FromUt(JulianDayLocal(year, month, day, 0, 0, 0, tzOffset), 0.0);
    const QuickSunPlace before = QuickSun(midnight.Later(-1.0)), today = QuickSun(midnight),
                        after = QuickSun(midnight.Later(1.0));
    return {before.rightAscension, before.declination, today.rightAscension,
            today.declination,     after.rightAscension, after.declination};
}

RiseTransitSetTimes SunCrossings(int year, int month, int day, double h0, const EphemerisSettings& settings) {
    RiseTransitSetTimes times;
    RiseTransitSetMoving(year, month, day, 0, 0, 0, QuickSunPlaces(year, month, day, settings.location.tzOffset), h0,
                         settings, times);
    return times;
}

DayLengthReport ComputeDayLength(const CalendarDateTime& when, const EphemerisSettings& settings) {
    const ObserverLocation& observer = settings.location;
    const CalendarDay today = when;
    const CalendarDay yesterday = ShiftDays(when.year, when.month, when.day, -1);

    DayLengthReport report;
    report.sun = SunTimes(today, kSunriseAltitude, settings);
    report.dayLength = Interval(report.sun);
    report.dayChange = (report.dayLength - Interval(SunTimes(yesterday, kSunriseAltitude, settings))) * 3600.0;
    report.nightLength = 24.0 - report.dayLength;
    report.civilDay = Interval(SunTimes(today, kCivilTwilightAltitude, settings));
    report.nauticalDay = Interval(SunTimes(today, kNauticalTwilightAltitude, settings));
    report.astronomicalDay = Interval(SunTimes(today, kAstronomicalTwilightAltitude, settings));
    report.localSiderealTime = LocalSiderealTime(when.year, when.month, when.day, when.hour, when.minute,
                                                 when.second, observer.longitudeWest, observer.tzOffset);
    report.tzHours = observer.tzOffset / 60.0;
    const ThreeDayPlaces sun = QuickSunPlaces(today.year, today.month, today.day, observer.tzOffset);
    if (report.sun.status == RiseSetStatus::Normal) {
        report.sunriseAzimuth = AzimuthAtRise(today, sun, report.sun.rise, settings);
    }
    return report;
}

}  // namespace vsp
