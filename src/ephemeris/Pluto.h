#pragma once
// Pluto from the leading seven rows of Meeus's periodic series (Astronomical Algorithms,
// chapter 37), made geocentric with the quick Sun: a mean place within 64" of PyEphem's. Both
// take the instant's TT.

#include "ephemeris/Instant.h"

namespace vsp {

struct PlutoHeliocentricPlace {
    double longitude = 0.0;  // degrees, J2000 ecliptic, not reduced
    double latitude = 0.0;   // degrees
    double radius = 0.0;     // AU
};

struct PlutoGeocentricPlace {
    double rightAscension = 0.0;        // hours, [0, 24)
    double declination = 0.0;           // degrees
    double distance = 0.0;              // from the Earth's centre, AU
    double heliocentricDistance = 0.0;  // AU
    double sunDistance = 0.0;           // Earth-Sun, AU
};

PlutoHeliocentricPlace PlutoHeliocentric(const Instant& when);
// The heliocentric place carried to the ecliptic of date, combined with the quick Sun's true
// longitude and distance, and turned to the equator with the 1900 elements' obliquity: a mean
// place of date.
PlutoGeocentricPlace PlutoGeocentric(const Instant& when);

}  // namespace vsp
