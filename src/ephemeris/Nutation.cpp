#include "ephemeris/Nutation.h"

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/tables/Nutation1980.h"

namespace vsp {

namespace {

constexpr double kTableUnit = 1e-4;  // coefficients are in 0.0001"
constexpr int kMaxMultiple = 4;      // the largest multiplier of any argument in the table

// Constant and linear parts in radians (l, l', F, D, Omega); the quadratic and cubic parts
// come from the table in arcseconds.
constexpr double kArgumentConstant[5] = {2.3555483935439407, 6.240035939326023,
                                         1.6279019339719611, 5.198469513579922,
                                         2.1824386243609943};
constexpr double kArgumentRate[5] = {8328.691422883896, 628.3019560241842, 8433.466158318453,
                                     7771.377146170642, -33.75704593375351};

double FundamentalArgument(int i, double t) {
    const Nutation1980Argument& row = kNutation1980Arguments[i];
    double a = kArgumentConstant[i] + kArgumentRate[i] * t +
               (row.t2Arcsec + row.t3Arcsec * t) * t * t * kArcsecToRad;
    return ReduceAngle(a, kTwoPi);
}

// cos and sin of k times each argument, k = 0..kMaxMultiple, by the angle-addition formulae
// from the first multiple, so each argument costs one cos and one sin.
struct ArgumentMultiples {
    double c[5][kMaxMultiple + 1];
    double s[5][kMaxMultiple + 1];

    explicit ArgumentMultiples(double t) {
        for (int i = 0; i < 5; ++i) {
            const double a = FundamentalArgument(i, t);
            c[i][0] = 1.0;
            s[i][0] = 0.0;
            c[i][1] = std::cos(a);
            s[i][1] = std::sin(a);
            for (int k = 2; k <= kMaxMultiple; ++k) {
                c[i][k] = c[i][k - 1] * c[i][1] - s[i][k - 1] * s[i][1];
                s[i][k] = s[i][k - 1] * c[i][1] + c[i][k - 1] * s[i][1];
            }
        }
    }

    // Adds n times argument i to the angle (cosA, sinA).
    void Add(int i, int n, double& cosA, double& sinA) const {
        if (n == 0) return;
        const double cn = c[i][n < 0 ? -n : n];
        const double sn = n < 0 ? -s[i][-n] : s[i][n];
        const double cosB = cosA * cn - sinA * sn;
        sinA = sinA * cn + cosA * sn;
        cosA = cosB;
    }
};

}  // namespace

NutationAngles Nutation1980(double jde) {
    const double t = (jde - kJ2000Jd) / kDaysPerJulianCentury;
    const ArgumentMultiples m(t);
    double dpsi = 0.0, deps = 0.0;
    for (const Nutation1980Term& term : kNutation1980Terms) {
        double cosA = 1.0, sinA = 0.0;
        m.Add(0, term.l, cosA, sinA);
        m.Add(1, term.lPrime, cosA, sinA);
        m.Add(2, term.f, cosA, sinA);
        m.Add(3, term.d, cosA, sinA);
        m.Add(4, term.omega, cosA, sinA);
        dpsi += (term.longitudeSin + term.longitudeSinRate * t) * sinA;
        deps += (term.obliquityCos + term.obliquityCosRate * t) * cosA;
    }
    return {dpsi * kTableUnit, deps * kTableUnit};
}

double MoonMeanNode(double jde) {
    return FundamentalArgument(4, (jde - kJ2000Jd) / kDaysPerJulianCentury);
}

}  // namespace vsp
