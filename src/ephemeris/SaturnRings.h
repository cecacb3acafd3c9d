#pragma once
// Saturn's ring as the observer sees it (J. Meeus, Astronomical Algorithms, 2nd ed.,
// Willmann-Bell 1998, ch. 45): the ring plane's inclination i and node Omega on the ecliptic of
// date, Saturn from PlanetGeometryAt. Measured over 40 dates 2000-2038: B within 0.028 deg
// of PyEphem's earth_tilt and 0.015 deg of astronomy-engine's ring_tilt, B' within 0.027 deg
// of PyEphem's sun_tilt (tests/ephemeris/PlanetFacesTest.cpp).
#include "ephemeris/Instant.h"

namespace vsp {

// The ring's outer edge over the globe's equatorial radius (Meeus: 375.35" and 165.6" at 1 AU).
inline constexpr double kSaturnRingOverGlobe = 2.2666;

struct SaturnRingView {
    double earthTiltDeg = 0.0;   // B: the Earth's saturnicentric latitude on the ring plane,
                                 // positive when the north face of the ring is seen
    double sunTiltDeg = 0.0;     // B': the Sun's, likewise
    double positionAngleDeg = 0.0;  // P: of the northern semiminor axis (Saturn's north pole),
                                    // from celestial north (true equator of date) through east
    double majorAxisArcsec = 0.0;   // a: the outer edge's major axis (the full width), arcsec
    double minorAxisArcsec = 0.0;   // b = a sin |B|
    double deltaUDeg = 0.0;      // the saturnicentric longitudes of the Sun and the Earth apart
    double distanceAu = 0.0;     // Earth-Saturn, light-time corrected
};

// At the instant's TT. Returns 0 or the planetary theory's error (result zeroed).
int SaturnRingsAt(const Instant& when, SaturnRingView& out);

}  // namespace vsp
