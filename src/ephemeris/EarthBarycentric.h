#pragma once
// The Earth and the Sun relative to the solar-system barycentre, for the vector reduction:
// the 50-term solar series of P. Bretagnon & J. L. Simon, Planetary Programs and Tables from
// -4000 to +2800 (Willmann-Bell 1986) for the Earth about the Sun, and the Sun's
// wobble from the four giant planets on circular orbits. J2000 mean equator and equinox,
// AU and AU/day, at the instant's TT.

#include "ephemeris/Instant.h"

namespace vsp {

inline constexpr double kEarthEphemerisFirstJde = 2340000.5;  // 1694 Jul 13
inline constexpr double kEarthEphemerisLastJde = 2560000.5;   // 2296 Dec 29

bool IsInEarthEphemerisRange(const Instant& when);

// Returns 0, or kEphemerisOutOfRange (1) with zeroed outputs outside the range above.
// The velocity is the central difference of positions 0.1 day either side. Measured against
// ERFA epv00: heliocentric within 1" and 1e-5 AU, barycentric within 5e-4 AU.
int EarthBarycentric(const Instant& when, double position[3], double velocity[3]);

// The Earth about the Sun from the solar series alone (no range check).
void EarthHeliocentric(const Instant& when, double position[3]);

// The Sun about the barycentre (no range check). Jupiter, Saturn, Uranus and Neptune move on
// circular orbits in the J2000 ecliptic with mean motions from Kepler's third law,
// n = k sqrt((1 + m/M) / a^3), k the Gaussian constant.
void SunBarycentric(const Instant& when, double position[3], double velocity[3]);

// A planet (1..8, as PlanetHeliocentric numbers them) about the barycentre: its heliocentric
// vector plus the Sun's. The body ephemeris of the apparent-place reduction.
int PlanetBarycentric(const Instant& when, int planet, double position[3], double velocity[3]);

}  // namespace vsp
