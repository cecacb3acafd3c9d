#pragma once
// The Moon's topocentric place from a short series (Meeus, Astronomical Algorithms, chapter
// 47, shortened): for the tables and assistants that need many places, good to some tens of
// arcseconds: measured against PyEphem 148" in longitude and 79" in latitude.

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Instant.h"

namespace vsp {

// The place for the settings' observer at an instant (the series at its TT, the observer's
// sidereal angle at its UT): RA in hours [0, 24), Dec in degrees, mean equator and equinox of
// date (no nutation), seen from a spherical Earth of radius 6378.14 km. `distance`, when
// given, gets the geocentric distance in AU.
void MoonQuick(double& raHours, double& decDeg, const Instant& when, const EphemerisSettings& settings,
               double* distance = nullptr);

// The geocentric part: ecliptic longitude and latitude of date (degrees) and distance (km) at
// the instant's TT.
struct MoonQuickEcliptic {
    double longitude = 0.0;  // degrees, [0, 360)
    double latitude = 0.0;   // degrees
    double distance = 0.0;   // km
};
MoonQuickEcliptic MoonQuickGeocentric(const Instant& when);

}  // namespace vsp
