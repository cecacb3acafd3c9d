#pragma once
// Shared steps of the SGP and SGP4 models (not for callers outside src/satellites).

#include "satellites/SatelliteElements.h"

namespace vsp::sat {

// The SGP4 coefficients of `elements` (its mean elements and a0, n0 already set).
void InitializeSgp4(SatelliteElements& elements);

// The osculating orbit after the short-period terms, turned into position (km) and velocity
// (km/s) in the elements: radius (Earth radii), its rate and r·du/dt (Earth radii per minute),
// argument of latitude, node and inclination (radians).
struct OsculatingOrbit {
    double radius, radiusRate, transverseRate, argumentOfLatitude, node, inclination;
};
void StoreOrbitState(const OsculatingOrbit& orbit, SatelliteElements& elements);

// Kepler's equation in the models' form: E + ω from U = L − Ω and the eccentricity vector
// (axn = e cos ω, ayn = e sin ω), by Newton's iteration with the models' limits.
struct KeplerSolution {
    double sinE, cosE;  // of E + ω
};
KeplerSolution SolveKepler(double u, double axn, double ayn);

}  // namespace vsp::sat
