#pragma once
// Shared steps of the SGP, SGP4 and SDP4 models (not for callers outside src/satellites).

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "satellites/SatelliteElements.h"
#include "satellites/SinCos.h"

namespace vsp::sat {

// The SGP4 coefficients of `elements` (its mean elements and a0, n0 already set).
void InitializeSgp4(SatelliteElements& elements);
// The deep-space terms of `elements` (after InitializeSgp4), for an orbit of 225 minutes or more.
void InitializeDeepSpace(SatelliteElements& elements);

// The mean orbit at a time, after the secular terms (and the deep-space lunar-solar ones):
// semi-major axis (Earth radii), eccentricity, node, mean longitude L = M + ω + Ω (radians),
// the argument of perigee, and M + ω as a sin/cos pair short of `argumentTurn` radians (the
// caller's cheap start for Kepler's equation), the inclination.
struct MeanOrbit {
    double a, e, node, meanLongitude;
    SinCos perigee, meanArgument;
    double argumentTurn;
    SinCos inclination;
};
// The inclination's functions in the periodic terms (Spacetrack Report No. 3's symbols).
struct PeriodicCoefficients {
    double xlcof, aycof, x3thm1, x1mth2, x7thm1;
};
// The J3 long-period and J2 short-period terms of `orbit`, into position and velocity.
void ApplyPeriodicTerms(const MeanOrbit& orbit, const PeriodicCoefficients& c, SatelliteElements& elements);

// The osculating orbit after the short-period terms, turned into position (km) and velocity
// (km/s) in the elements: radius (Earth radii), its rate and r·du/dt (Earth radii per minute),
// argument of latitude, node and inclination.
struct OsculatingOrbit {
    double radius, radiusRate, transverseRate;
    SinCos argumentOfLatitude, inclination;
    double node;  // radians
};
void StoreOrbitState(const OsculatingOrbit& orbit, SatelliteElements& elements);

// Kepler's equation in the models' form: E + ω from U = L − Ω and the eccentricity vector
// (axn = e cos ω, ayn = e sin ω) and the sin/cos of U, by Newton's iteration with the models'
// limits; returns E + ω.
SinCos SolveKepler(double u, SinCos atU, double axn, double ayn);

}  // namespace vsp::sat
