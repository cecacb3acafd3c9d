#pragma once
// The long lunar theory: the Moon's geocentric place in the ecliptic and mean equinox of date
// from ELP 2000-82B (M. Chapront-Touzé & J. Chapront, A&A 124, 50 (1983)) truncated to 1111
// terms, with the mean arguments of date. The truncation moves the place by 0.63" at most.

#include "ephemeris/Instant.h"

namespace vsp {

// The arguments the periodic terms combine, radians in [0, 2 pi), of the instant's TT (the
// theory's T, Julian centuries from J2000).
struct LunarMeanArguments {
    double meanLongitude = 0.0;       // L', the Moon's mean longitude (includes the constant
                                      // light-time term, -0.70")
    double elongation = 0.0;          // D
    double sunAnomaly = 0.0;          // M
    double moonAnomaly = 0.0;         // M'
    double argumentOfLatitude = 0.0;  // F
    double venus = 0.0, earth = 0.0, mars = 0.0, jupiter = 0.0;  // planetary mean longitudes
};

LunarMeanArguments LunarMeanArgumentsAt(const Instant& when);

// Longitude in [0, 2 pi) and latitude in radians, distance from the Earth's centre in AU
// (149597870 km), at the instant's TT.
void LunarSeries(const Instant& when, double& longitude, double& latitude, double& distance);

}  // namespace vsp
