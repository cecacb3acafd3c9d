#pragma once
// The day-length assistant's figures for one local date: sunrise and sunset, the length of the
// day and of the night, the change from the day before, the three twilight intervals, the
// sidereal time, the zone and the Sun's azimuth at rise. The Sun comes from QuickSun.
// Measured against PyEphem: sunrise and sunset 0.1 min, day length 0.1 min, twilights 0.98
// min, sunrise azimuth 0.016 degrees.

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/RiseTransitSet.h"
#include "ephemeris/Time.h"

namespace vsp {

inline constexpr double kSunriseAltitude = -0.833333;  // -50'
inline constexpr double kCivilTwilightAltitude = -6.0;
inline constexpr double kNauticalTwilightAltitude = -12.0;
inline constexpr double kAstronomicalTwilightAltitude = -18.0;

struct DayLengthReport {
    RiseTransitSetTimes sun;         // rise and set at -0.833333 degrees
    double dayLength = 0.0;          // hours, set - rise
    double dayChange = 0.0;          // seconds, from the day before
    double nightLength = 0.0;        // hours, 24 - day length
    double civilDay = 0.0;           // hours between the morning and evening crossings of -6
    double nauticalDay = 0.0;        // ... of -12
    double astronomicalDay = 0.0;    // ... of -18
    double localSiderealTime = 0.0;  // hours, at the local clock time given
    double tzHours = 0.0;            // zone offset in hours
    double sunriseAzimuth = 0.0;     // degrees from north through east
};

// The Sun's places at 0h local of the day before, the day and the day after `date`.
ThreeDayPlaces QuickSunPlaces(int year, int month, int day, int tzOffset);

// The Sun's morning and evening crossings of the altitude h0 (degrees) on a local date, from
// its QuickSun places.
RiseTransitSetTimes SunCrossings(int year, int month, int day, double h0, const EphemerisSettings& settings);

// The figures for the local date of `when`; the sidereal time is that of its clock time.
DayLengthReport ComputeDayLength(const CalendarDateTime& when, const EphemerisSettings& settings);

}  // namespace vsp
