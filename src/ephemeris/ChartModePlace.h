#pragma once
// The two steps every vector-reduced body (planets, comets, minor planets) shares in the
// settings' chart mode: the apparent place, geocentric in modes 0 and 1 and topocentric in 2
// and 3; then the observer's horizon, with the place refracted in modes 1 and 3.

#include "ephemeris/ApparentPlace.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Refraction.h"

namespace vsp {

// ApparentPlaceGeocentric or ApparentPlaceTopocentric as the chart mode asks, the Earth from
// EarthBarycentric. Returns their result.
int ApparentPlaceInChartMode(const Instant& when, const EphemerisSettings& settings, const BarycentricEphemeris& body,
                             EarthOrientationCache& cache, ApparentPlace& out);
// The same with the Earth from `earth` (one evaluated once for many bodies at one instant).
int ApparentPlaceInChartMode(const Instant& when, const EphemerisSettings& settings, const BarycentricEphemeris& body,
                             const BarycentricEphemeris& earth, EarthOrientationCache& cache, ApparentPlace& out);

// The horizon place of an apparent RA (hours) and Dec (degrees) for the settings' observer,
// refracted in chart modes 1 and 3 (raHours/decDeg then the refracted direction).
HorizonPlace HorizonInChartMode(const Instant& when, const EphemerisSettings& settings, double raHours, double decDeg,
                                EarthOrientationCache& cache);

}  // namespace vsp
