#include "ephemeris/MoonFace.h"

#include <cmath>

#include "ephemeris/EarthVsop87.h"
#include "ephemeris/LunarSeries.h"
#include "ephemeris/Nutation.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

const double kEquatorInclination = 1.54242 * kDegToRad;  // the Moon's equator to the ecliptic

struct LibrationArguments {
    double node, f, m, mp, d, e, k1, k2;  // radians (e a plain factor)
};

LibrationArguments ArgumentsAt(const Instant& when) {
    const double T = when.CenturiesTt();
    const LunarMeanArguments a = LunarMeanArgumentsAt(when);
    return {MoonMeanNode(when.tt), a.argumentOfLatitude, a.sunAnomaly, a.moonAnomaly, a.elongation,
            1.0 - 0.002516 * T - 0.0000074 * T * T, ReducedRadians(119.75 + 131.849 * T),
            ReducedRadians(72.56 + 20.186 * T)};
}

// The physical librations' series rho, sigma, tau (Meeus ch. 53), radians.
void PhysicalSeries(const LibrationArguments& x, double& rho, double& sigma, double& tau) {
    using std::cos;
    using std::sin;
    const double mp = x.mp, f = x.f, d = x.d, m = x.m;
    rho = -0.02752 * cos(mp) - 0.02245 * sin(f) + 0.00684 * cos(mp - 2 * f) - 0.00293 * cos(2 * f) -
          0.00085 * cos(2 * f - 2 * d) - 0.00054 * cos(mp - 2 * d) - 0.00020 * sin(mp + f) -
          0.00020 * cos(mp + 2 * f) - 0.00020 * cos(mp - f) + 0.00014 * cos(mp + 2 * f - 2 * d);
    sigma = -0.02816 * sin(mp) + 0.02244 * cos(f) - 0.00682 * sin(mp - 2 * f) - 0.00279 * sin(2 * f) -
            0.00083 * sin(2 * f - 2 * d) + 0.00069 * sin(mp - 2 * d) + 0.00040 * cos(mp + f) -
            0.00025 * sin(2 * mp) - 0.00023 * sin(mp + 2 * f) + 0.00020 * cos(mp - f) +
            0.00019 * sin(mp - f) + 0.00013 * sin(mp + 2 * f - 2 * d) - 0.00010 * cos(mp - 3 * f);
    tau = 0.02520 * x.e * sin(m) + 0.00473 * sin(2 * mp - 2 * f) - 0.00467 * sin(mp) + 0.00396 * sin(x.k1) +
          0.00276 * sin(2 * mp - 2 * d) + 0.00196 * sin(x.node) - 0.00183 * cos(mp - f) +
          0.00115 * sin(mp - 2 * d) - 0.00096 * sin(mp - d) + 0.00046 * sin(2 * f - 2 * d) -
          0.00039 * sin(mp - f) - 0.00032 * sin(mp - m - d) + 0.00027 * sin(2 * mp - m - 2 * d) +
          0.00023 * sin(x.k2) - 0.00014 * sin(2 * d) + 0.00014 * cos(2 * mp - 2 * f) -
          0.00012 * sin(mp - 2 * f) - 0.00012 * sin(2 * mp) + 0.00011 * sin(2 * mp - 2 * m - 2 * d);
    rho *= kDegToRad;
    sigma *= kDegToRad;
    tau *= kDegToRad;
}

struct Selenographic {
    double lon = 0.0, lat = 0.0;  // radians
};

// The selenographic place of the point under a direction (mean ecliptic of date, radians),
// optical and physical libration together.
Selenographic PlaceUnder(double lambda, double beta, const LibrationArguments& x, double rho, double sigma,
                         double tau, Selenographic* physical = nullptr) {
    const double w = lambda - x.node;
    const double a = std::atan2(std::sin(w) * std::cos(beta) * std::cos(kEquatorInclination) -
                                    std::sin(beta) * std::sin(kEquatorInclination),
                                std::cos(w) * std::cos(beta));
    const double bOpt = std::asin(-std::sin(w) * std::cos(beta) * std::sin(kEquatorInclination) -
                                  std::sin(beta) * std::cos(kEquatorInclination));
    const Selenographic phys{-tau + (rho * std::cos(a) + sigma * std::sin(a)) * std::tan(bOpt),
                             sigma * std::cos(a) - rho * std::sin(a)};
    if (physical) *physical = phys;
    return {ReduceAngleSigned(a - x.f + phys.lon, kTwoPi), bOpt + phys.lat};
}

double AngleBetween(double lon1, double lat1, double lon2, double lat2) {
    const double c = std::sin(lat1) * std::sin(lat2) + std::cos(lat1) * std::cos(lat2) * std::cos(lon1 - lon2);
    return std::acos(std::fmax(-1.0, std::fmin(1.0, c)));
}

}  // namespace

MoonFaceView MoonFaceAt(const Instant& when) {
    const LibrationArguments x = ArgumentsAt(when);
    double rho = 0.0, sigma = 0.0, tau = 0.0;
    PhysicalSeries(x, rho, sigma, tau);
    double lambda = 0.0, beta = 0.0, moonDistance = 0.0;
    LunarSeries(when, lambda, beta, moonDistance);

    MoonFaceView out;
    Selenographic physical;
    const Selenographic earth = PlaceUnder(lambda, beta, x, rho, sigma, tau, &physical);
    out.librationLonDeg = earth.lon * kRadToDeg;
    out.librationLatDeg = earth.lat * kRadToDeg;
    out.physicalLonDeg = physical.lon * kRadToDeg;
    out.physicalLatDeg = physical.lat * kRadToDeg;

    // The Sun, geometric, mean equinox of date, as the Moon sees it.
    const EclipticPlace earthPlace = EarthVsop87(when);
    const double sunLon = earthPlace.longitude + kTwoPi / 2.0 -
                          kAberrationDegAtUnitDistance * kDegToRad / earthPlace.radius;
    const double ratio = moonDistance / earthPlace.radius;
    const double lambdaH = sunLon + kTwoPi / 2.0 + ratio * std::cos(beta) * std::sin(sunLon - lambda);
    const Selenographic sun = PlaceUnder(lambdaH, ratio * beta, x, rho, sigma, tau);
    out.subsolarLonDeg = sun.lon * kRadToDeg;
    out.subsolarLatDeg = sun.lat * kRadToDeg;
    out.colongitudeDeg = ReduceAngle(90.0 - out.subsolarLonDeg, 360.0);

    // The axis: the pole of the Moon's equator on the true equator of date.
    const NutationAngles nut = Nutation1980(when.tt);
    const double dpsi = nut.dpsi * kArcsecToRad;
    const double eps = (MeanObliquityArcsec(when.CenturiesTt()) + nut.deps) * kArcsecToRad;
    const double v = x.node + dpsi + sigma / std::sin(kEquatorInclination);
    const double px = std::sin(kEquatorInclination + rho) * std::sin(v);
    const double py = std::sin(kEquatorInclination + rho) * std::cos(v) * std::cos(eps) -
                      std::cos(kEquatorInclination + rho) * std::sin(eps);
    const double omega = std::atan2(px, py);
    double alpha = 0.0, delta = 0.0;
    EclipticToEquatorial(lambda + dpsi, beta, eps, alpha, delta);
    const double sinP = std::hypot(px, py) * std::cos(alpha - omega) / std::cos(earth.lat);
    out.axisPositionAngleDeg = ReduceAngle(std::asin(std::fmax(-1.0, std::fmin(1.0, sinP))) * kRadToDeg, 360.0);
    return out;
}

bool IsOnVisibleFace(const MoonFaceView& face, double lonDeg, double latDeg) {
    return AngleBetween(lonDeg * kDegToRad, latDeg * kDegToRad, face.librationLonDeg * kDegToRad,
                        face.librationLatDeg * kDegToRad) < kTwoPi / 4.0;
}

double TerminatorDistanceDeg(const MoonFaceView& face, double lonDeg, double latDeg) {
    return 90.0 - AngleBetween(lonDeg * kDegToRad, latDeg * kDegToRad, face.subsolarLonDeg * kDegToRad,
                               face.subsolarLatDeg * kDegToRad) * kRadToDeg;
}

bool IsSunriseSide(const MoonFaceView& face, double lonDeg) {
    return ReduceAngleSigned(lonDeg - face.subsolarLonDeg, 360.0) < 0.0;
}

std::optional<Instant> NextTerminatorPassage(const Instant& from, double lonDeg, bool sunrise, double windowDays) {
    const double target = ReduceAngle((sunrise ? 360.0 : 180.0) - lonDeg, 360.0);
    // Negative before the passage, positive after it; the colongitude gains ~12 degrees a day.
    auto offset = [&](double days) {
        return ReduceAngleSigned(MoonFaceAt(from.Later(days)).colongitudeDeg - target, 360.0);
    };
    constexpr double kStepDays = 0.5;
    double lo = 0.0, flo = offset(0.0);
    for (double hi = kStepDays; lo < windowDays; lo = hi, hi += kStepDays) {
        hi = std::fmin(hi, windowDays);
        const double fhi = offset(hi);
        if (flo < 0.0 && fhi >= 0.0 && fhi - flo < 90.0) {
            while (hi - lo > 2e-5) {
                const double mid = 0.5 * (lo + hi);
                (offset(mid) < 0.0 ? lo : hi) = mid;
            }
            return from.Later(hi);
        }
        flo = fhi;
    }
    return std::nullopt;
}

}  // namespace vsp
