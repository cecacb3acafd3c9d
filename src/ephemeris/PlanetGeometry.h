#pragma once
// A planet's place in the ecliptic of one equinox, as the physical ephemerides of the planets
// (Meeus, Astronomical Algorithms, 2nd ed., chs. 42, 45, 46) start from: heliocentric at the
// time the light left it, and geocentric (geometric, corrected for light time only). Simon 1994
// planets and the Bretagnon-Simon Earth (PlanetHeliocentric, EarthHeliocentric), precessed from
// J2000 to the equinox by the IAU 1976 angles: tens of arcseconds for the outer planets.
#include "ephemeris/Instant.h"

namespace vsp {

struct PlanetGeometry {
    double l = 0.0, b = 0.0, r = 0.0;            // heliocentric at t - tau: radians, AU
    double lambda = 0.0, beta = 0.0, delta = 0.0;  // geocentric at t: radians, AU
    double sunLongitude = 0.0;                  // the Sun's geometric geocentric longitude, radians
    double earthDistance = 0.0;                 // Sun-Earth, AU
    double tau = 0.0;                           // light time, days
};

// planet 1..8 as PlanetHeliocentric numbers them; the ecliptic and mean equinox of the TT Julian
// Date `equinoxJde` (the instant's own TT for "of date"). Returns 0 or the theory's error code
// with the result zeroed.
int PlanetGeometryAt(const Instant& when, int planet, double equinoxJde, PlanetGeometry& out);

// The mean equinox and ecliptic of B1950.0 as a TT Julian Date.
inline constexpr double kB1950Jd = 2433282.4235;

}  // namespace vsp
