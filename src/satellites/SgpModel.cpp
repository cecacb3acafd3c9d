// SGP (Spacetrack Report No. 3, section 5): the mean motion's two derivatives of the element set
// drive the decay; J2 secular and short-period terms, J3 long-period terms.

#include <cmath>

#include "ephemeris/Constants.h"
#include "satellites/NearEarthModels.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {

using namespace sat;

void PropagateSgp(SatelliteElements& e, double minutes) {
    const double t = minutes;
    e.model = SatelliteModel::Sgp;
    e.minutesSinceEpoch = t;
    // Secular gravity and drag.
    const double decayed = e.meanMotion + (2.0 * e.nDot2 + 3.0 * e.nDdot6 * t) * t;
    const double a = e.a0 * std::pow(e.meanMotion / decayed, 2.0 / 3.0);
    const double ecc = a > e.q0 ? 1.0 - e.q0 / a : 1.0e-6;
    const double p = a * (1.0 - ecc * ecc);
    const double node = e.node + e.nodeRate * t;
    const double meanLongitude =
        e.l0 + (e.meanMotion + e.perigeeRate + e.nodeRate + (e.nDot2 + e.nDdot6 * t) * t) * t;
    // Long-period terms of J3.
    const double c4 = -0.25 * kA3OverK2;
    const double c5 = 0.5 * c4 * e.sinI0 * (3.0 + 5.0 * e.cosI0) / (1.0 + e.cosI0);
    const double c6 = c4 * e.sinI0;
    const SinCos perigee = SinCosOf(e.perigee + e.perigeeRate * t);
    const double axn = ecc * perigee.cos;
    const double ayn = ecc * perigee.sin - c6 / p;
    const double l = meanLongitude - c5 / p * axn;
    const double u = ReduceAngleSigned(l - node, kTwoPi);
    const SinCos k = SolveKepler(u, SinCosOf(u), axn, ayn);
    // Short-period terms.
    const double ecosE = axn * k.cos + ayn * k.sin;
    const double esinE = axn * k.sin - ayn * k.cos;
    const double pl = a * (1.0 - (axn * axn + ayn * ayn));
    const double r = a * (1.0 - ecosE);
    const double tail = esinE / (1.0 + std::sqrt(1.0 - (axn * axn + ayn * ayn)));
    const double sinU = a / r * (k.sin - ayn - axn * tail);
    const double cosU = a / r * (k.cos - axn + ayn * tail);
    const double sin2u = 2.0 * cosU * sinU;
    const double cos2u = 1.0 - 2.0 * sinU * sinU;
    const double pl2 = pl * pl;
    const double cos2 = e.cosI0 * e.cosI0;
    OsculatingOrbit orbit;
    orbit.radius = r + 0.5 * kK2 * e.sinI0 * e.sinI0 / pl * cos2u;
    orbit.argumentOfLatitude = Turned({sinU, cosU}, -0.25 * kK2 * (7.0 * cos2 - 1.0) / pl2 * sin2u);
    orbit.node = node + 1.5 * kK2 * e.cosI0 * sin2u / pl2;
    orbit.inclination = Turned({e.sinI0, e.cosI0}, 1.5 * kK2 * e.cosI0 * e.sinI0 / pl2 * cos2u);
    orbit.radiusRate = kKe * std::sqrt(a) / r * esinE;
    orbit.transverseRate = kKe * std::sqrt(pl) / r;
    StoreOrbitState(orbit, e);
}

}  // namespace vsp
