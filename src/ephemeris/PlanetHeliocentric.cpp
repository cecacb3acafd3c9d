#include "ephemeris/PlanetHeliocentric.h"

#include <cmath>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/tables/Simon1994.h"

namespace vsp {
namespace {

// J2000 obliquity of the theory's ecliptic.
constexpr double kCosObliquity = 0.9174820620691818;
constexpr double kSinObliquity = 0.3977771559319137;
constexpr int kKeplerMaxSteps = 20;

double Polynomial(const double c[3], double t) { return c[0] + (c[1] + c[2] * t) * t; }

// Angles stored as degrees + arcseconds per millennium (and per millennium squared).
double AngleRadians(const double c[3], double t) {
    return (3600.0 * c[0] + (c[1] + c[2] * t) * t) * kArcsecToRad;
}

struct Orbit {
    double a, lambda, e, perihelion, inclination, node;
};

Orbit MeanOrbit(int row, double t) {
    const Simon1994MeanElements& m = kSimon1994MeanElements[row];
    return {Polynomial(m.a, t),
            ReduceAngleSigned(AngleRadians(m.lambda, t), kTwoPi),
            Polynomial(m.e, t),
            AngleRadians(m.perihelion, t),
            AngleRadians(m.inclination, t),
            ReduceAngleSigned(AngleRadians(m.node, t), kTwoPi)};
}

// Periodic terms of the axis and the mean longitude; the last ones grow with t.
void AddPerturbations(int row, double t, Orbit& orbit) {
    const Simon1994Perturbations& p = kSimon1994Perturbations[row];
    const double mu = kSimon1994MeanMotionFactor * t;
    for (int k = 0; k < 9; ++k) {
        const double arg = p.kp[k] * mu;
        const double term = (p.ca[k] * std::cos(arg) + p.sa[k] * std::sin(arg)) * 1e-7;
        orbit.a += k < 8 ? term : t * term;
    }
    for (int k = 0; k < 10; ++k) {
        const double arg = p.kq[k] * mu;
        const double term = (p.cl[k] * std::cos(arg) + p.sl[k] * std::sin(arg)) * 1e-7;
        orbit.lambda += k < 8 ? term : t * term;
    }
}

double EccentricAnomaly(double meanAnomaly, double e) {
    double ecc = meanAnomaly + e * std::sin(meanAnomaly);
    for (int step = 0; step < kKeplerMaxSteps; ++step) {
        const double delta = (meanAnomaly - ecc + e * std::sin(ecc)) / (1.0 - e * std::cos(ecc));
        ecc += delta;
        if (std::fabs(delta) <= 1e-12) break;
    }
    return ecc;
}

void EclipticToEquator(const double ecl[3], double equ[3]) {
    equ[0] = ecl[0];
    equ[1] = ecl[1] * kCosObliquity - ecl[2] * kSinObliquity;
    equ[2] = ecl[1] * kSinObliquity + ecl[2] * kCosObliquity;
}

// Position and velocity on the osculating ellipse, through the half-inclination form of the
// rotation (node and inclination as the vector (p, q) = sin(i/2) (sin Om, cos Om)).
void OrbitToEquator(const Orbit& o, double massRatio, double position[3], double velocity[3]) {
    const double ecc = EccentricAnomaly(o.lambda - o.perihelion, o.e);
    const double halfE = ecc / 2.0;
    const double trueAnomaly =
        2.0 * std::atan2(std::sqrt((1.0 + o.e) / (1.0 - o.e)) * std::sin(halfE), std::cos(halfE));
    const double r = o.a * (1.0 - o.e * std::cos(ecc));
    const double speed = kGaussianConstant * std::sqrt((1.0 + 1.0 / massRatio) / (o.a * o.a * o.a));

    const double si2 = std::sin(o.inclination / 2.0), ci2 = std::cos(o.inclination / 2.0);
    const double q = si2 * std::cos(o.node), p = si2 * std::sin(o.node);
    const double u = trueAnomaly + o.perihelion;
    const double su = std::sin(u), cu = std::cos(u);
    const double m2 = 2.0 * (p * cu - q * su);
    const double f = o.a / std::sqrt(1.0 - o.e * o.e);
    const double ms = (o.e * std::sin(o.perihelion) + su) * f;
    const double mc = (o.e * std::cos(o.perihelion) + cu) * f;
    const double pq2 = 2.0 * p * q;

    const double pos[3] = {r * (cu - m2 * p), r * (su + m2 * q), -r * m2 * ci2};
    const double vel[3] = {speed * ((-1.0 + 2.0 * p * p) * ms + pq2 * mc),
                           speed * ((1.0 - 2.0 * q * q) * mc - pq2 * ms),
                           speed * (2.0 * ci2 * (p * ms + q * mc))};
    EclipticToEquator(pos, position);
    EclipticToEquator(vel, velocity);
}

}  // namespace

int PlanetHeliocentric(const Instant& when, int planet, double position[3], double velocity[3]) {
    for (int i = 0; i < 3; ++i) position[i] = velocity[i] = 0.0;
    if (planet < 1 || planet > kSimon1994PlanetCount || !std::isfinite(when.tt)) {
        return kEphemerisUnknownBody;
    }
    const int row = planet - 1;
    const double t = when.MillenniaTt();
    Orbit orbit = MeanOrbit(row, t);
    AddPerturbations(row, t, orbit);
    OrbitToEquator(orbit, kSimon1994ReciprocalMasses[row], position, velocity);
    return kEphemerisOk;
}

}  // namespace vsp
