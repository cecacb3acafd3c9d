// The steps SGP and SGP4 share: Kepler's equation and the orientation of the orbit.

#include <cmath>

#include "satellites/NearEarthModels.h"
#include "satellites/SatelliteConstants.h"

namespace vsp::sat {

SinCos SolveKepler(double u, SinCos atU, double axn, double ayn) {
    // Started one fixed-point step from u (E + ω ≈ u + e sin E): near-circular orbits then
    // converge after a single Newton step, the step that holds the division.
    SinCos s = atU;
    const double start = axn * s.sin - ayn * s.cos;
    double angle = u + start;
    s = Turned(s, start);
    for (int i = 0; i < kKeplerIterations; ++i) {
        double step = (u - ayn * s.cos + axn * s.sin - angle) / (1.0 - axn * s.cos - ayn * s.sin);
        // A step beyond a radian only happens far from the root; it keeps its sign.
        if (std::fabs(step) > 1.0) step = step > 0.0 ? 1.0 : -1.0;
        angle += step;
        s = Turned(s, step);
        if (std::fabs(step) <= kKeplerTolerance) break;
    }
    return s;
}

namespace {

// The length comes from the orbit's own terms: u and v are orthonormal, so |r·u| = r and
// |ṙ·u + rḟ·v| = √(ṙ² + (rḟ)²), without summing the components again.
void SetVector(SatelliteVector& v, double x, double y, double z, double length) {
    v.x = x;
    v.y = y;
    v.z = z;
    v.w = length;
}

}  // namespace

void StoreOrbitState(const OsculatingOrbit& orbit, SatelliteElements& elements) {
    const auto [sinU, cosU] = orbit.argumentOfLatitude;
    const auto [sinI, cosI] = orbit.inclination;
    const auto [sinNode, cosNode] = SinCosOf(orbit.node);
    const double mx = -sinNode * cosI, my = cosNode * cosI;
    // u: the unit vector to the satellite; v: the one along its motion, in the orbit plane.
    const double ux = mx * sinU + cosNode * cosU, uy = my * sinU + sinNode * cosU, uz = sinI * sinU;
    const double vx = mx * cosU - cosNode * sinU, vy = my * cosU - sinNode * sinU, vz = sinI * cosU;
    const double r = orbit.radius * sat::kEarthRadiusKm;
    SetVector(elements.position, r * ux, r * uy, r * uz, std::fabs(r));
    const double rdot = orbit.radiusRate * kKmPerMinuteToKmPerSecond;
    const double rfdot = orbit.transverseRate * kKmPerMinuteToKmPerSecond;
    SetVector(elements.velocity, rdot * ux + rfdot * vx, rdot * uy + rfdot * vy, rdot * uz + rfdot * vz,
              std::sqrt(rdot * rdot + rfdot * rfdot));
}

}  // namespace vsp::sat
