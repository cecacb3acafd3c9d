#pragma once
// Planets from J2000 mean elements with linear rates (Explanatory Supplement, 1992): many
// positions cheaply, for tables and searches. J2000 ecliptic and equator.

#include "ephemeris/Instant.h"

namespace vsp {

struct QuickPlanetPlace {
    double rightAscension = 0.0;        // hours, [0, 24)
    double declination = 0.0;           // degrees
    double distance = 0.0;              // from the Earth, AU
    double heliocentricDistance = 0.0;  // AU
    double sunDistance = 0.0;           // Earth-Sun, AU
};

// body: a body code 2..9 (Mercury to Pluto), at the instant's UT: the elements run in days
// from J2000.0 (JD 2451545.0 UT) counted from its calendar date and clock. Returns 0, or
// kEphemerisUnknownBody with the place zeroed.
int QuickPlanet(int body, const Instant& when, QuickPlanetPlace& place);

}  // namespace vsp
