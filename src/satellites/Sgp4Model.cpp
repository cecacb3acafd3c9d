// Near-Earth SGP4 (Spacetrack Report No. 3, section 6): secular gravity and atmospheric drag
// with the power-density function of 78..120 km (lowered for perigees under 156 km), J3
// long-period and J2 short-period terms; the periodic steps are shared with the deep-space
// branch (DeepSpaceModel.cpp).

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"
#include "satellites/NearEarthModels.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace sat {
namespace {

constexpr double kDensityLowKm = 78.0;    // s: base of the density function above the surface
constexpr double kDensityHighKm = 120.0;  // q0
constexpr double kLowPerigeeKm = 156.0;
constexpr double kLowestPerigeeKm = 98.0;
constexpr double kSimpleDragPerigeeKm = 220.0;

// s (Earth radii from the centre) and (q0 − s)^4 for the perigee height.
void DensityFunction(double perigeeKm, double& s, double& qoms24) {
    double sKm = kDensityLowKm;
    if (perigeeKm < kLowPerigeeKm) sKm = perigeeKm <= kLowestPerigeeKm ? 20.0 : perigeeKm - kDensityLowKm;
    qoms24 = std::pow((kDensityHighKm - sKm) / sat::kEarthRadiusKm, 4.0);
    s = sKm / sat::kEarthRadiusKm + 1.0;
}

// The higher-order drag terms D2..D4 and the time polynomial of the mean longitude.
void SetFullDrag(Sgp4Terms& g, double s, double tsi) {
    const double c1sq = g.c1 * g.c1;
    g.d2 = 4.0 * g.aodp * tsi * c1sq;
    const double temp = g.d2 * tsi * g.c1 / 3.0;
    g.d3 = (17.0 * g.aodp + s) * temp;
    g.d4 = 0.5 * temp * g.aodp * tsi * (221.0 * g.aodp + 31.0 * s) * g.c1;
    g.t3cof = g.d2 + 2.0 * c1sq;
    g.t4cof = 0.25 * (3.0 * g.d3 + g.c1 * (12.0 * g.d2 + 10.0 * c1sq));
    g.t5cof = 0.2 * (3.0 * g.d4 + 12.0 * g.c1 * g.d3 + 6.0 * g.d2 * g.d2 + 15.0 * c1sq * (2.0 * g.d2 + c1sq));
}

}  // namespace

void InitializeSgp4(SatelliteElements& e) {
    Sgp4Terms& g = e.sgp4;
    const double eo = e.eccentricity, cosio = e.cosI0, sinio = e.sinI0;
    const double theta2 = cosio * cosio, theta4 = theta2 * theta2;
    const double betao2 = 1.0 - eo * eo, betao = std::sqrt(betao2);
    g.x3thm1 = 3.0 * theta2 - 1.0;
    g.x1mth2 = 1.0 - theta2;
    g.x7thm1 = 7.0 * theta2 - 1.0;
    g.xnodp = e.modelMeanMotion;
    const double delta0 = e.meanMotion / g.xnodp - 1.0;
    g.aodp = e.a0 / (1.0 - delta0);
    double s = 0.0, qoms24 = 0.0;
    DensityFunction((g.aodp * (1.0 - eo) - 1.0) * sat::kEarthRadiusKm, s, qoms24);
    const double pinvsq = 1.0 / (g.aodp * g.aodp * betao2 * betao2);
    const double tsi = 1.0 / (g.aodp - s);
    g.eta = g.aodp * eo * tsi;
    const double etasq = g.eta * g.eta, eeta = eo * g.eta;
    const double psisq = std::fabs(1.0 - etasq);
    const double coef = qoms24 * std::pow(tsi, 4.0);
    const double coef1 = coef / std::pow(psisq, 3.5);
    const double c2 = coef1 * g.xnodp *
                      (g.aodp * (1.0 + 1.5 * etasq + eeta * (4.0 + etasq)) +
                       0.75 * kK2 * tsi / psisq * g.x3thm1 * (8.0 + 3.0 * etasq * (8.0 + etasq)));
    g.c1 = e.bstar * c2;
    const bool eccentric = eo > kSmallEccentricity;
    const double c3 = eccentric ? coef * tsi * kA3OverK2 * g.xnodp * sinio / eo : 0.0;
    g.c4 = 2.0 * g.xnodp * coef1 * g.aodp * betao2 *
           (g.eta * (2.0 + 0.5 * etasq) + eo * (0.5 + 2.0 * etasq) -
            2.0 * kK2 * tsi / (g.aodp * psisq) *
                (-3.0 * g.x3thm1 * (1.0 - 2.0 * eeta + etasq * (1.5 - 0.5 * eeta)) +
                 0.75 * g.x1mth2 * (2.0 * etasq - eeta * (1.0 + etasq)) * std::cos(2.0 * e.perigee)));
    g.c5 = 2.0 * coef1 * g.aodp * betao2 * (1.0 + 2.75 * (etasq + eeta) + eeta * etasq);
    const double temp1 = 3.0 * kK2 * pinvsq * g.xnodp;
    const double temp2 = temp1 * kK2 * pinvsq;
    const double temp3 = 1.25 * kK4 * pinvsq * pinvsq * g.xnodp;
    g.xmdot = g.xnodp + 0.5 * temp1 * betao * g.x3thm1 + 0.0625 * temp2 * betao * (13.0 - 78.0 * theta2 + 137.0 * theta4);
    g.omgdot = -0.5 * temp1 * (1.0 - 5.0 * theta2) + 0.0625 * temp2 * (7.0 - 114.0 * theta2 + 395.0 * theta4) +
               temp3 * (3.0 - 36.0 * theta2 + 49.0 * theta4);
    const double xhdot1 = -temp1 * cosio;
    g.xnodot = xhdot1 + (0.5 * temp2 * (4.0 - 19.0 * theta2) + 2.0 * temp3 * (3.0 - 7.0 * theta2)) * cosio;
    g.omgcof = e.bstar * c3 * std::cos(e.perigee);
    g.xmcof = eccentric ? -(2.0 / 3.0) * coef * e.bstar / eeta : 0.0;
    g.xnodcf = 3.5 * betao2 * xhdot1 * g.c1;
    g.t2cof = 1.5 * g.c1;
    g.xlcof = 0.125 * kA3OverK2 * sinio * (3.0 + 5.0 * cosio) / (1.0 + cosio);
    g.aycof = 0.25 * kA3OverK2 * sinio;
    g.delmo = std::pow(1.0 + g.eta * std::cos(e.meanAnomaly), 3.0);
    g.sinmo = std::sin(e.meanAnomaly);
    g.simpleDrag = g.aodp * (1.0 - eo) < 1.0 + kSimpleDragPerigeeKm / sat::kEarthRadiusKm;
    g.d2 = g.d3 = g.d4 = g.t3cof = g.t4cof = g.t5cof = 0.0;
    if (!g.simpleDrag) SetFullDrag(g, s, tsi);
}

}  // namespace sat

using namespace sat;

namespace {

// Mean elements at t minutes after secular gravity and drag: semi-major axis, eccentricity,
// node, mean longitude (L) and argument of perigee (ω). L − Ω = M + ω + the drag's time
// polynomial: drag moves M and ω by opposite amounts, so the sum keeps the sin/cos of the
// undragged angles and Kepler's equation starts from it turned by the polynomial, small over
// days, instead of a sin/cos of its own.
struct SecularElements {
    double a, e, node, meanLongitude;
    double longitudeDrag;  // of L − Ω beyond M + ω (radians)
    SinCos perigee, meanArgument;  // ω; M + ω
};

SecularElements ApplySecularTerms(const SatelliteElements& el, double t) {
    const Sgp4Terms& g = el.sgp4;
    const double xmdf = el.meanAnomaly + g.xmdot * t;
    const double omgadf = el.perigee + g.omgdot * t;
    const SinCos meanAnomaly = SinCosOf(xmdf), perigee = SinCosOf(omgadf);
    const double tsq = t * t;
    double perigeeDrag = 0.0;
    double tempa = 1.0 - g.c1 * t;
    double tempe = el.bstar * g.c4 * t;
    double templ = g.t2cof * tsq;
    if (!g.simpleDrag) {
        const double cube = 1.0 + g.eta * meanAnomaly.cos;
        perigeeDrag = g.omgcof * t + g.xmcof * (cube * cube * cube - g.delmo);
        const double tcube = tsq * t, tfour = tcube * t;
        tempa -= g.d2 * tsq + g.d3 * tcube + g.d4 * tfour;
        tempe += el.bstar * g.c5 * (Turned(meanAnomaly, perigeeDrag).sin - g.sinmo);
        templ += g.t3cof * tcube + tfour * (g.t4cof + t * g.t5cof);
    }
    SecularElements s;
    s.a = g.aodp * tempa * tempa;
    s.e = std::max(el.eccentricity - tempe, 1.0e-6);
    s.perigee = Turned(perigee, -perigeeDrag);
    s.meanArgument = Sum(meanAnomaly, perigee);
    s.node = el.node + g.xnodot * t + g.xnodcf * tsq;
    s.longitudeDrag = g.xnodp * templ;
    s.meanLongitude = xmdf + omgadf + s.node + s.longitudeDrag;
    return s;
}

}  // namespace

void PropagateSgp4(SatelliteElements& el, double minutes) {
    const Sgp4Terms& g = el.sgp4;
    el.model = SatelliteModel::Sgp4;
    el.minutesSinceEpoch = minutes;
    const SecularElements m = ApplySecularTerms(el, minutes);
    const MeanOrbit orbit{m.a, m.e, m.node, m.meanLongitude, m.perigee, m.meanArgument, m.longitudeDrag,
                          {el.sinI0, el.cosI0}};
    ApplyPeriodicTerms(orbit, {g.xlcof, g.aycof, g.x3thm1, g.x1mth2, g.x7thm1}, el);
}

namespace sat {

void ApplyPeriodicTerms(const MeanOrbit& m, const PeriodicCoefficients& c, SatelliteElements& el) {
    const double sqrtA = std::sqrt(m.a);
    const double xn = kKe / (m.a * sqrtA);
    // Long-period terms.
    const double axn = m.e * m.perigee.cos;
    const double temp = 1.0 / (m.a * (1.0 - m.e * m.e));
    const double longPeriod = temp * c.xlcof * axn;
    const double ayn = m.e * m.perigee.sin + temp * c.aycof;
    const double u = ReduceAngleSigned(m.meanLongitude + longPeriod - m.node, kTwoPi);
    const SinCos k = SolveKepler(u, Turned(m.meanArgument, m.argumentTurn + longPeriod), axn, ayn);
    // Short-period terms.
    const double ecosE = axn * k.cos + ayn * k.sin;
    const double esinE = axn * k.sin - ayn * k.cos;
    const double elsq = axn * axn + ayn * ayn;
    const double pl = m.a * (1.0 - elsq);
    const double r = m.a * (1.0 - ecosE);
    const double betal = std::sqrt(1.0 - elsq);
    const double tail = esinE / (1.0 + betal);
    // Both reciprocals from one division, the slowest arithmetic left in this path.
    const double invRPl = 1.0 / (r * pl);
    const double invR = pl * invRPl, invPl = r * invRPl;
    const double cosU = m.a * invR * (k.cos - axn + ayn * tail);
    const double sinU = m.a * invR * (k.sin - ayn - axn * tail);
    const double sin2u = 2.0 * sinU * cosU;
    const double cos2u = 2.0 * cosU * cosU - 1.0;
    const double k2p = kK2 * invPl;
    const double k2p2 = k2p * invPl;
    const SinCos i = m.inclination;
    OsculatingOrbit orbit;
    orbit.radius = r * (1.0 - 1.5 * k2p2 * betal * c.x3thm1) + 0.5 * k2p * c.x1mth2 * cos2u;
    orbit.argumentOfLatitude = Turned({sinU, cosU}, -0.25 * k2p2 * c.x7thm1 * sin2u);
    orbit.node = m.node + 1.5 * k2p2 * i.cos * sin2u;
    orbit.inclination = Turned(i, 1.5 * k2p2 * i.cos * i.sin * cos2u);
    orbit.radiusRate = kKe * sqrtA * esinE * invR - xn * k2p * c.x1mth2 * sin2u;
    orbit.transverseRate = kKe * std::sqrt(pl) * invR + xn * k2p * (c.x1mth2 * cos2u + 1.5 * c.x3thm1);
    StoreOrbitState(orbit, el);
}

}  // namespace sat
}  // namespace vsp
