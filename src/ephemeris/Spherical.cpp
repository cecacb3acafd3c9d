#include "ephemeris/Spherical.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {

namespace {
// The program's own truncated values of pi and 2 pi for polar angles.
constexpr double kPolarPi = 3.14159265358979;
constexpr double kPolarTwoPi = 6.28318530717958;
constexpr double kFlatFormulaLimit = 1e-5;            // radians
constexpr double kFlatFormulaMaxDec = 1.5697963267948951;  // radians, 0.001 rad off the pole

double HourAngleRadians(double lstHours, double raHours) {
    return ReduceAngleSigned(lstHours - raHours, 24.0) * 15.0 * kDegToRad;
}
}  // namespace

double Altitude(double lstHours, double raHours, double decDeg, double latitudeDeg) {
    const double H = HourAngleRadians(lstHours, raHours);
    const double d = decDeg * kDegToRad, phi = latitudeDeg * kDegToRad;
    // Rounding can carry the sine a hair past 1 at the zenith.
    const double sine = std::cos(H) * std::cos(d) * std::cos(phi) + std::sin(d) * std::sin(phi);
    return std::asin(std::clamp(sine, -1.0, 1.0)) * kRadToDeg;
}

double Azimuth(double lstHours, double raHours, double decDeg, double latitudeDeg) {
    const double H = HourAngleRadians(lstHours, raHours);
    const double d = decDeg * kDegToRad, phi = latitudeDeg * kDegToRad;
    const double a = std::atan2(-std::sin(H) * std::cos(d),
                                std::sin(d) * std::cos(phi) - std::cos(H) * std::cos(d) * std::sin(phi));
    return ReduceAngle(a * kRadToDeg, 360.0);
}

double PolarAngle(double x, double y) {
    if (x == 0.0) {
        if (y > 0.0) return kPolarPi / 2.0;
        if (y < 0.0) return 3.0 * kPolarPi / 2.0;
        return 0.0;
    }
    double a = std::atan(y / x);
    if (x < 0.0) a += kPolarPi;
    if (a < 0.0) a += kPolarTwoPi;
    return a;
}

double AngularSeparation(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg) {
    const double a1 = ra1Hours * 15.0 * kDegToRad, a2 = ra2Hours * 15.0 * kDegToRad;
    const double d1 = dec1Deg * kDegToRad, d2 = dec2Deg * kDegToRad;
    const double c = std::cos(d1) * std::cos(d2) * std::cos(a1 - a2) + std::sin(d1) * std::sin(d2);
    const double d = std::acos(std::clamp(c, -1.0, 1.0));
    if (d < kFlatFormulaLimit && std::fabs(d1) < kFlatFormulaMaxDec &&
        std::fabs(d2) < kFlatFormulaMaxDec) {
        const double dd = d2 - d1;
        const double da = (a2 - a1) * std::cos((d1 + d2) / 2.0);
        return std::sqrt(dd * dd + da * da);
    }
    return d;
}

double AngularSeparation(const Vec3& a, const Vec3& b) { return std::atan2(Length(Cross(a, b)), Dot(a, b)); }

void EquatorialToEcliptic(double alpha, double delta, double epsilon, double& lambdaDeg,
                          double& betaDeg) {
    const double lambda = std::atan2(std::sin(alpha) * std::cos(epsilon) +
                                         std::tan(delta) * std::sin(epsilon),
                                     std::cos(alpha));
    lambdaDeg = ReduceAngle(lambda * kRadToDeg, 360.0);
    betaDeg = std::asin(std::sin(delta) * std::cos(epsilon) -
                        std::cos(delta) * std::sin(epsilon) * std::sin(alpha)) *
              kRadToDeg;
}

void EclipticToEquatorial(double lambda, double beta, double epsilon, double& alpha, double& delta) {
    alpha = std::atan2(std::sin(lambda) * std::cos(epsilon) - std::tan(beta) * std::sin(epsilon),
                       std::cos(lambda));
    delta = std::asin(std::sin(beta) * std::cos(epsilon) +
                      std::cos(beta) * std::sin(epsilon) * std::sin(lambda));
}

void VectorToRaDec(const Vec3& v, double& raHours, double& decDeg) {
    raHours = ReduceAngle(std::atan2(v[1], v[0]) * kRadToHours, 24.0);
    decDeg = std::atan2(v[2], std::hypot(v[0], v[1])) * kRadToDeg;
}

Vec3 RaDecToVector(double raHours, double decDeg) {
    const double a = raHours * 15.0 * kDegToRad, d = decDeg * kDegToRad;
    return {{std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)}};
}

double PositionAngle(const Vec3& at, const Vec3& towards) {
    const double ra = std::atan2(at[1], at[0]);
    const double dec = std::atan2(at[2], std::hypot(at[0], at[1]));
    const Vec3 north{{-std::sin(dec) * std::cos(ra), -std::sin(dec) * std::sin(ra), std::cos(dec)}};
    const Vec3 east{{-std::sin(ra), std::cos(ra), 0.0}};
    return PolarAngle(Dot(towards, north), Dot(towards, east)) * kRadToDeg;
}

}  // namespace vsp
