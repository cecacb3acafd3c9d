// The steps SGP and SGP4 share: Kepler's equation and the orientation of the orbit.

#include <cmath>

#include "satellites/NearEarthModels.h"
#include "satellites/SatelliteConstants.h"

namespace vsp::sat {

KeplerSolution SolveKepler(double u, double axn, double ayn) {
    double angle = u;
    KeplerSolution s{std::sin(angle), std::cos(angle)};
    for (int i = 0; i < kKeplerIterations; ++i) {
        double step = (u - ayn * s.cosE + axn * s.sinE - angle) / (1.0 - axn * s.cosE - ayn * s.sinE);
        // A step beyond a radian only happens far from the root; it keeps its sign.
        if (std::fabs(step) > 1.0) step = step > 0.0 ? 1.0 : -1.0;
        angle += step;
        s = {std::sin(angle), std::cos(angle)};
        if (std::fabs(step) <= kKeplerTolerance) break;
    }
    return s;
}

namespace {

void SetVector(SatelliteVector& v, double x, double y, double z) {
    v.x = x;
    v.y = y;
    v.z = z;
    v.w = std::sqrt(x * x + y * y + z * z);
}

}  // namespace

void StoreOrbitState(const OsculatingOrbit& orbit, SatelliteElements& elements) {
    const double sinU = std::sin(orbit.argumentOfLatitude), cosU = std::cos(orbit.argumentOfLatitude);
    const double sinNode = std::sin(orbit.node), cosNode = std::cos(orbit.node);
    const double sinI = std::sin(orbit.inclination), cosI = std::cos(orbit.inclination);
    const double mx = -sinNode * cosI, my = cosNode * cosI;
    // u: the unit vector to the satellite; v: the one along its motion, in the orbit plane.
    const double ux = mx * sinU + cosNode * cosU, uy = my * sinU + sinNode * cosU, uz = sinI * sinU;
    const double vx = mx * cosU - cosNode * sinU, vy = my * cosU - sinNode * sinU, vz = sinI * cosU;
    const double r = orbit.radius * sat::kEarthRadiusKm;
    SetVector(elements.position, r * ux, r * uy, r * uz);
    const double rdot = orbit.radiusRate * kKmPerMinuteToKmPerSecond;
    const double rfdot = orbit.transverseRate * kKmPerMinuteToKmPerSecond;
    SetVector(elements.velocity, rdot * ux + rfdot * vx, rdot * uy + rfdot * vy, rdot * uz + rfdot * vz);
}

}  // namespace vsp::sat
