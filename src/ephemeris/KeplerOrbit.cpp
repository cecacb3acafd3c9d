#include "ephemeris/KeplerOrbit.h"

#include <cmath>
#include <numbers>
#include <utility>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/Constants.h"

namespace vsp {
namespace {

constexpr double kSunGm = kGaussianConstant * kGaussianConstant;  // AU^3/day^2
constexpr double kSqrtSunGm = kGaussianConstant;
// Below this |z| the Stumpff functions come from their series, where the closed forms would
// cancel; twelve terms keep them to the last bit there.
constexpr double kSeriesLimit = 1.0;
constexpr int kSeriesTerms = 12;
constexpr int kMaxIterations = 200;
constexpr double kParabolicStartEccentricity = 0.9;  // from here on Newton starts from the parabola

struct Stumpff {
    double c2 = 0.5;        // C(z) = (1 - cos sqrt z) / z
    double c3 = 1.0 / 6.0;  // S(z) = (sqrt z - sin sqrt z) / sqrt z^3
};

// The ratios of successive series terms, 1 / ((2k+1)(2k+2)) and 1 / ((2k+2)(2k+3)): the solver
// evaluates the series several times a body, and multiplications are cheaper than divisions.
struct SeriesRatios {
    double c2[kSeriesTerms], c3[kSeriesTerms];
};
constexpr SeriesRatios kSeriesRatios = [] {
    SeriesRatios r{};
    for (int k = 1; k < kSeriesTerms; ++k) {
        r.c2[k] = 1.0 / ((2.0 * k + 1.0) * (2.0 * k + 2.0));
        r.c3[k] = 1.0 / ((2.0 * k + 2.0) * (2.0 * k + 3.0));
    }
    return r;
}();

Stumpff StumpffFunctions(double z) {
    Stumpff s;
    if (std::fabs(z) < kSeriesLimit) {
        // c2 = sum (-z)^k / (2k+2)!, c3 = sum (-z)^k / (2k+3)!
        double term2 = 0.5, term3 = 1.0 / 6.0;
        s.c2 = term2;
        s.c3 = term3;
        for (int k = 1; k < kSeriesTerms; ++k) {
            term2 *= -z * kSeriesRatios.c2[k];
            term3 *= -z * kSeriesRatios.c3[k];
            s.c2 += term2;
            s.c3 += term3;
        }
    } else if (z > 0.0) {
        const double w = std::sqrt(z);
        s.c2 = (1.0 - std::cos(w)) / z;
        s.c3 = (w - std::sin(w)) / (z * w);
    } else {
        const double w = std::sqrt(-z);
        s.c2 = (std::cosh(w) - 1.0) / -z;
        s.c3 = (std::sinh(w) - w) / (-z * w);
    }
    return s;
}

bool ElementsDescribeOrbit(const OrbitalElements& o) {
    return std::isfinite(o.perihelionJd) && std::isfinite(o.perihelionDistance) && std::isfinite(o.eccentricity) &&
           std::isfinite(o.inclination) && std::isfinite(o.node) && std::isfinite(o.perihelionArgument) &&
           o.perihelionDistance > 0.0 && o.eccentricity >= 0.0;
}

// The universal anomaly chi (AU^0.5) of a body `dt` days past perihelion: the root of
// e chi^3 S(alpha chi^2) + q chi = sqrt(GM) dt, whose derivative is the distance r > 0, so the
// root is bracketed and Newton's steps fall back to bisection when they leave the bracket.
double UniversalAnomaly(double q, double e, double alpha, double dt) {
    const double target = kSqrtSunGm * dt;
    double lo = 0.0, hi = target / q;  // e chi^3 S >= 0 bounds the root by the circle's chi
    if (lo > hi) std::swap(lo, hi);
    if (alpha > 0.0) {  // within half a period: |chi| <= pi / sqrt(alpha)
        const double half = std::numbers::pi / std::sqrt(alpha);
        lo = std::fmax(lo, -half);
        hi = std::fmin(hi, half);
    }
    // Ellipses well short of e = 1 start from the usual guess at the eccentric anomaly,
    // E = M + e sin M (1 + e cos M) (chi = E sqrt(a)); the rest from the parabola through the same
    // perihelion, the real root of e chi^3 / 6 + q chi = sqrt(GM) dt (Cardano), exact at e = 1.
    // Either leaves Newton a few steps.
    double chi;
    if (alpha > 0.0 && e < kParabolicStartEccentricity) {
        const double sqrtAlpha = std::sqrt(alpha);
        const double m = target * alpha * sqrtAlpha;
        chi = (m + e * std::sin(m) * (1.0 + e * std::cos(m))) / sqrtAlpha;
    } else {
        const double p = 6.0 * q / e, r = 6.0 * target / e;
        const double a = std::cbrt(0.5 * std::fabs(r) + std::sqrt(0.25 * r * r + p * p * p / 27.0));
        chi = std::copysign(a - p / (3.0 * a), target);
    }
    if (!(chi > lo && chi < hi)) chi = 0.5 * (lo + hi);
    for (int i = 0; i < kMaxIterations; ++i) {
        const double chi2 = chi * chi;
        const Stumpff s = StumpffFunctions(alpha * chi2);
        const double f = e * chi2 * chi * s.c3 + q * chi - target;
        const double r = e * chi2 * s.c2 + q;
        if (f < 0.0) lo = chi; else hi = chi;
        double next = chi - f / r;
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::fabs(next - chi) <= 1e-15 * std::fmax(1.0, std::fabs(chi)) || next == lo || next == hi) return next;
        chi = next;
    }
    return chi;
}

}  // namespace

OrbitOrientation OrientationOf(const OrbitalElements& orbit) {
    const double w = orbit.perihelionArgument * kDegToRad, n = orbit.node * kDegToRad,
                 inc = orbit.inclination * kDegToRad;
    const double cw = std::cos(w), sw = std::sin(w), cn = std::cos(n), sn = std::sin(n), ci = std::cos(inc),
                 si = std::sin(inc);
    return {{cw * cn - sw * sn * ci, cw * sn + sw * cn * ci, sw * si},
            {-sw * cn - cw * sn * ci, -sw * sn + cw * cn * ci, cw * si}};
}

int KeplerHeliocentric(const OrbitalElements& orbit, double jdTt, double position[3], double velocity[3]) {
    return KeplerHeliocentric(orbit, OrientationOf(orbit), jdTt, position, velocity);
}

int KeplerHeliocentric(const OrbitalElements& orbit, const OrbitOrientation& orientation, double jdTt,
                       double position[3], double velocity[3]) {
    for (int i = 0; i < 3; ++i) position[i] = velocity[i] = 0.0;
    if (!ElementsDescribeOrbit(orbit) || !std::isfinite(jdTt)) return kEphemerisBadElements;
    const double q = orbit.perihelionDistance, e = orbit.eccentricity;
    const double alpha = (1.0 - e) / q;  // 1 / a
    double dt = jdTt - orbit.perihelionJd;
    if (alpha > 0.0) {  // whole periods off, so that chi stays within half a turn
        const double period = kTwoPi / (kSqrtSunGm * alpha * std::sqrt(alpha));
        dt -= period * std::nearbyint(dt / period);
    }
    const double chi = UniversalAnomaly(q, e, alpha, dt);
    const double chi2 = chi * chi;
    const Stumpff s = StumpffFunctions(alpha * chi2);
    const double r = e * chi2 * s.c2 + q;
    // Lagrange's coefficients from perihelion, where the position is q P and the velocity
    // sqrt(GM (1 + e) / q) Q.
    const double v0 = std::sqrt(kSunGm * (1.0 + e) / q);
    const double f = 1.0 - chi2 * s.c2 / q;
    const double g = dt - chi2 * chi * s.c3 / kSqrtSunGm;
    const double fDot = kSqrtSunGm / (r * q) * (alpha * chi2 * chi * s.c3 - chi);
    const double gDot = 1.0 - chi2 * s.c2 / r;
    const double x = f * q, y = g * v0, vx = fDot * q, vy = gDot * v0;

    const double* p = orientation.p;
    const double* qv = orientation.q;
    for (int i = 0; i < 3; ++i) {
        position[i] = x * p[i] + y * qv[i];
        velocity[i] = vx * p[i] + vy * qv[i];
    }
    return 0;
}

double PerihelionTimeFromMeanAnomaly(double epochJd, double semiMajorAxis, double meanAnomalyDeg) {
    const double meanMotion = kGaussianConstant / (semiMajorAxis * std::sqrt(semiMajorAxis));  // rad/day
    double m = std::remainder(meanAnomalyDeg * kDegToRad, kTwoPi);
    return epochJd - m / meanMotion;
}

}  // namespace vsp
