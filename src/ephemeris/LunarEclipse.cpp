// The eclipse test of a new or full moon: Meeus, Astronomical Algorithms, chapter 54.

#include <cmath>
#include <limits>

#include "ephemeris/Constants.h"
#include "ephemeris/LunarArguments.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {
namespace {

// The correction from the mean phase to greatest eclipse, in days; only the two leading terms
// differ between a solar and a lunar eclipse.
double GreatestEclipseCorrection(const LunarArguments& a, double f1, bool solar) {
    const double m = a.m, mp = a.mPrime, e = a.e;
    const double a1 = ReducedRadians(299.77 + 0.107408 * a.k - 0.009173 * a.t * a.t);
    double c = solar ? -0.4075 * std::sin(mp) + 0.1721 * e * std::sin(m)
                     : -0.4065 * std::sin(mp) + 0.1727 * e * std::sin(m);
    c += 0.0161 * std::sin(2 * mp) - 0.0097 * std::sin(2 * f1) + 0.0073 * e * std::sin(mp - m) -
         0.0050 * e * std::sin(mp + m) - 0.0023 * std::sin(mp - 2 * f1) + 0.0021 * e * std::sin(2 * m) +
         0.0012 * std::sin(mp + 2 * f1) + 0.0006 * e * std::sin(2 * mp + m) - 0.0004 * std::sin(3 * mp) -
         0.0003 * e * std::sin(m + 2 * f1) + 0.0003 * std::sin(a1) - 0.0002 * e * std::sin(m - 2 * f1) -
         0.0002 * e * std::sin(2 * mp - m) - 0.0002 * std::sin(a.omega);
    return c;
}

void ShadowGeometry(const LunarArguments& a, double f1, double& gamma, double& u) {
    const double m = a.m, mp = a.mPrime, e = a.e;
    const double p = 0.2070 * e * std::sin(m) + 0.0024 * e * std::sin(2 * m) - 0.0392 * std::sin(mp) +
                     0.0116 * std::sin(2 * mp) - 0.0073 * e * std::sin(mp + m) +
                     0.0067 * e * std::sin(mp - m) + 0.0118 * std::sin(2 * f1);
    const double q = 5.2207 - 0.0048 * e * std::cos(m) + 0.0020 * e * std::cos(2 * m) -
                     0.3299 * std::cos(mp) - 0.0060 * e * std::cos(mp + m) + 0.0041 * e * std::cos(mp - m);
    const double w = std::fabs(std::cos(f1));
    gamma = (p * std::cos(f1) + q * std::sin(f1)) * (1 - 0.0048 * w);
    u = 0.0059 + 0.0046 * e * std::cos(m) - 0.0182 * std::cos(mp) + 0.0004 * std::cos(2 * mp) -
        0.0005 * std::cos(m + mp);
}

int SolarType(double gamma, double u) {
    const double g = std::fabs(gamma);
    if (g > 1.5433 + u) return kEclipseNone;
    if (g >= 1.0) return kEclipsePartial;
    if (u < 0) return kEclipseTotal;
    // A small positive u: annular along most of the track, total near its middle (a hybrid).
    if (u <= 0.0047 && u < 0.00464 * std::sqrt(1 - gamma * gamma)) return kEclipseTotal;
    return kEclipseAnnular;
}

int LunarType(double gamma, double u) {
    const double g = std::fabs(gamma);
    const double m1 = (1.0248 - u - g) / 0.545;
    if (!(m1 > -1.059)) return kEclipseNone;
    if (m1 < 0) return kEclipsePenumbral;
    const double umbral = (1.0128 - u - g) / 0.545;
    if (umbral > 0) {
        const double t = 0.4678 - u;
        return t * t - gamma * gamma > 0 ? kEclipseTotal : kEclipsePartial;
    }
    return kEclipsePartial;
}

// Half the duration of a phase in days, or NaN when the shadow's edge never reaches the Moon.
double SemiDuration(double radius, double gamma, double perHour) {
    const double s = radius * radius - gamma * gamma;
    if (s < 0) return std::numeric_limits<double>::quiet_NaN();
    return std::sqrt(s) / perHour / 24.0;
}

void FillLunarDetails(const LunarArguments& a, double jde, double gamma, double u, LunarEclipseDetails& d) {
    const double p = 1.0128 - u, t = 0.4678 - u, h = 1.5573 + u;
    const double n = 0.5458 + 0.04 * std::cos(a.mPrime);
    const double penumbral = SemiDuration(h, gamma, n);
    const double partial = SemiDuration(p, gamma, n);
    const double total = SemiDuration(t, gamma, n);
    d.p1 = jde - penumbral;
    d.u1 = jde - partial;
    d.u2 = jde - total;
    d.greatest = jde;
    d.u3 = jde + total;
    d.u4 = jde + partial;
    d.p4 = jde + penumbral;
    d.penumbralMagnitude = (1.5573 + u - std::fabs(gamma)) / 0.545;
    d.umbralMagnitude = (1.0128 - u - std::fabs(gamma)) / 0.545;
    d.penumbralRadius = 1.2848 + u;
    d.umbralRadius = 0.7403 - u;
    d.gamma = gamma;
    d.u = u;
}

}  // namespace

int LunarEclipseAt(const LunarArguments& a, bool solar, double& jde, double& gamma, double& u,
                   LunarEclipseDetails* details) {
    if (std::fabs(std::sin(a.f)) > 0.36) return kEclipseNone;
    const double f1 = a.f - 0.02665 * kDegToRad * std::sin(a.omega);
    jde = LunarMeanPhase(a) + GreatestEclipseCorrection(a, f1, solar);
    ShadowGeometry(a, f1, gamma, u);
    if (details && !solar) FillLunarDetails(a, jde, gamma, u, *details);
    return solar ? SolarType(gamma, u) : LunarType(gamma, u);
}

}  // namespace vsp
