#pragma once
// The apparent place of a solar-system body by the vector reduction: light time, deflection
// by the Sun, aberration, precession and nutation, seen from the Earth's centre or from the
// observer's place (G. H. Kaplan et al., AJ 97, 1197 (1989); USNO Circular 179). With the
// Simon 1994 planets, within 1.74" of the same theory reduced by ERFA routines.

#include <functional>

#include "ephemeris/EarthOrientation.h"
#include "ephemeris/Instant.h"
#include "ephemeris/ObserverPlace.h"

namespace vsp {

// A barycentric ephemeris: position (AU) and velocity (AU/day), J2000 mean equator, at an
// instant. Returns 0, or an error code with the outputs zeroed. EarthBarycentric has this form.
using BarycentricEphemeris = std::function<int(const Instant& when, double position[3], double velocity[3])>;

struct ApparentPlace {
    double raHours = 0.0;        // true equator and equinox of date, [0, 24)
    double decDeg = 0.0;
    double trueDistance = 0.0;   // AU, the geometric distance at the date
    double lightDistance = 0.0;  // AU, the light time times the speed of light
};

// Returns 0, or the first error of either ephemeris with every output 0. The body is seen
// where it stood one light time before the instant; the Earth's rotation, which places the
// observer, goes by the instant's UT.
int ApparentPlaceGeocentric(const Instant& when, const BarycentricEphemeris& body,
                            const BarycentricEphemeris& earth, EarthOrientationCache& cache,
                            ApparentPlace& out);
int ApparentPlaceTopocentric(const Instant& when, const ObserverPlace& place,
                             const BarycentricEphemeris& body, const BarycentricEphemeris& earth,
                             EarthOrientationCache& cache, ApparentPlace& out);

}  // namespace vsp
