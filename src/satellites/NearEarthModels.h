#pragma once
// Shared steps of the SGP and SGP4 models (not for callers outside src/satellites).

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "satellites/SatelliteElements.h"
#include "satellites/SinCos.h"

namespace vsp::sat {

// The SGP4 coefficients of `elements` (its mean elements and a0, n0 already set).
void InitializeSgp4(SatelliteElements& elements);

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
