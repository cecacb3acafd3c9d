#include "ephemeris/SaturnRings.h"

#include <cmath>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/Nutation.h"
#include "ephemeris/PlanetGeometry.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

constexpr int kSaturn = 6;                  // PlanetHeliocentric's number
constexpr double kRingAxisAtUnitAu = 375.35;  // outer edge of ring A, arcsec at 1 AU

// The saturnicentric latitude (sine) and longitude of a direction on the ring plane.
double TiltSine(double i, double node, double lon, double lat) {
    return std::sin(i) * std::cos(lat) * std::sin(lon - node) - std::cos(i) * std::sin(lat);
}
double RingLongitude(double i, double node, double lon, double lat) {
    return std::atan2(std::sin(i) * std::sin(lat) + std::cos(i) * std::cos(lat) * std::sin(lon - node),
                      std::cos(lat) * std::cos(lon - node));
}

}  // namespace

int SaturnRingsAt(const Instant& when, SaturnRingView& out) {
    out = {};
    PlanetGeometry g;
    if (const int rc = PlanetGeometryAt(when, kSaturn, when.tt, g); rc != 0) return rc;
    const double T = when.CenturiesTt();
    const double i = (28.075216 - 0.012998 * T + 0.000004 * T * T) * kDegToRad;
    const double node = (169.508470 + 1.394681 * T + 0.000412 * T * T) * kDegToRad;
    // Saturn's heliocentric place as the Sun's light reaches it: corrected for the aberration of
    // Saturn's motion (in longitude, and in latitude through the node of its orbit).
    const double orbitNode = (113.6655 + 0.8771 * T) * kDegToRad;
    const double l = g.l - 0.01759 * kDegToRad / g.r;
    const double b = g.b - 0.000764 * kDegToRad * std::cos(g.l - orbitNode) / g.r;

    out.distanceAu = g.delta;
    out.earthTiltDeg = std::asin(TiltSine(i, node, g.lambda, g.beta)) * kRadToDeg;
    out.sunTiltDeg = std::asin(TiltSine(i, node, l, b)) * kRadToDeg;
    out.majorAxisArcsec = kRingAxisAtUnitAu / g.delta;
    out.minorAxisArcsec = out.majorAxisArcsec * std::fabs(std::sin(out.earthTiltDeg * kDegToRad));
    const double du = RingLongitude(i, node, l, b) - RingLongitude(i, node, g.lambda, g.beta);
    out.deltaUDeg = std::fabs(ReduceAngleSigned(du * kRadToDeg, 360.0));

    // The pole of the ring plane and Saturn's apparent place, true equator of date.
    const NutationAngles nut = Nutation1980(when.tt);
    const double dpsi = nut.dpsi * kArcsecToRad;
    const double eps = (MeanObliquityArcsec(T) + nut.deps) * kArcsecToRad;
    const double k = kAberrationDegAtUnitDistance * kDegToRad;
    const double lambda = g.lambda + dpsi + k * std::cos(g.sunLongitude - g.lambda) / std::cos(g.beta);
    const double beta = g.beta + k * std::sin(g.sunLongitude - g.lambda) * std::sin(g.beta);
    double a0 = 0.0, d0 = 0.0, a = 0.0, d = 0.0;
    EclipticToEquatorial(node - kTwoPi / 4.0 + dpsi, kTwoPi / 4.0 - i, eps, a0, d0);
    EclipticToEquatorial(lambda, beta, eps, a, d);
    out.positionAngleDeg = PositionAngle(RaDecToVector(a * kRadToHours, d * kRadToDeg),
                                         RaDecToVector(a0 * kRadToHours, d0 * kRadToDeg));
    return kEphemerisOk;
}

}  // namespace vsp
