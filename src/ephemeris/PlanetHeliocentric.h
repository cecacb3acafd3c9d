#pragma once
// Heliocentric planets from the analytical theory of J. L. Simon et al., A&A 282, 663 (1994):
// mean elements with the periodic terms of the axis and the mean longitude, a Keplerian
// orbit, J2000 equator.

#include "ephemeris/Instant.h"

namespace vsp {

// planet 1..8: Mercury, Venus, Earth-Moon barycentre, Mars, Jupiter, Saturn, Uranus, Neptune,
// at the instant's TT. Position in AU and velocity in AU/day, J2000 mean equator and equinox.
// Returns 0, or kEphemerisUnknownBody (outputs zeroed) for another planet number or a
// non-finite TT.
// Measured against ERFA plan94 (the same theory) 1800-2200: 2e-13 AU. The theory itself is
// good to a few arcseconds for the inner planets and tens for the outer ones over 1000-3000.
int PlanetHeliocentric(const Instant& when, int planet, double position[3], double velocity[3]);

}  // namespace vsp
