#include "ephemeris/Pluto.h"

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/QuickSun.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/tables/PlutoMeeus.h"

namespace vsp {
namespace {

// The series gives the J2000 ecliptic; the quick Sun and its obliquity are of the date. The
// direction is carried to the ecliptic and equinox of date (Meeus 21.5/21.6 with the
// starting epoch at J2000), or Pluto would drift by the precession, 1.4 degrees a century.
void PrecessEclipticFromJ2000(double t, double& longitudeDeg, double& latitudeDeg) {
    constexpr double kArcsecToDeg = 1.0 / 3600.0;
    const double eta = ((0.00006 * t - 0.03302) * t + 47.0029) * t * kArcsecToDeg * kDegToRad;
    const double pi = (174.876384 + (0.03536 * t - 869.8089) * t * kArcsecToDeg) * kDegToRad;
    const double p = ((-0.000006 * t + 1.11113) * t + 5029.0966) * t * kArcsecToDeg * kDegToRad;
    const double lambda0 = longitudeDeg * kDegToRad, beta0 = latitudeDeg * kDegToRad;
    const double a = std::cos(eta) * std::cos(beta0) * std::sin(pi - lambda0) -
                     std::sin(eta) * std::sin(beta0);
    const double b = std::cos(beta0) * std::cos(pi - lambda0);
    const double c = std::cos(eta) * std::sin(beta0) +
                     std::sin(eta) * std::cos(beta0) * std::sin(pi - lambda0);
    longitudeDeg = (p + pi - std::atan2(a, b)) * kRadToDeg;
    latitudeDeg = std::asin(c) * kRadToDeg;
}

}  // namespace

PlutoHeliocentricPlace PlutoHeliocentric(const Instant& when) {
    const double t = when.CenturiesTt();
    const double jupiter = 34.35 + 3034.9057 * t;
    const double saturn = 50.08 + 1222.1138 * t;
    const double pluto = 238.96 + 144.96 * t;
    double sumL = 0.0, sumB = 0.0, sumR = 0.0;
    for (const PlutoTerm& term : kPlutoTerms) {
        const double arg = (term.j * jupiter + term.s * saturn + term.p * pluto) * kDegToRad;
        const double s = std::sin(arg), c = std::cos(arg);
        sumL += term.longitudeA * s + term.longitudeB * c;
        sumB += term.latitudeA * s + term.latitudeB * c;
        sumR += term.radiusA * s + term.radiusB * c;
    }
    return {238.958116 + 144.96 * t + sumL * 1e-6, -3.908239 + sumB * 1e-6, 40.7241346 + sumR * 1e-7};
}

PlutoGeocentricPlace PlutoGeocentric(const Instant& when) {
    PlutoHeliocentricPlace helio = PlutoHeliocentric(when);
    PrecessEclipticFromJ2000(when.CenturiesTt(), helio.longitude, helio.latitude);
    const QuickSunPlace sun = QuickSun(when);
    const double r = helio.radius, bigR = sun.distance;
    const double b = helio.latitude * kDegToRad;
    const double sunLon = sun.trueLongitude * kDegToRad;
    const double dl = helio.longitude * kDegToRad - sunLon;

    const double lambda =
        sunLon + std::atan2(r * std::cos(b) * std::sin(dl), r * std::cos(b) * std::cos(dl) + bigR);
    const double delta = std::sqrt(r * r + 2.0 * r * bigR * std::cos(b) * std::cos(dl) + bigR * bigR);
    const double beta = std::asin(r * std::sin(b) / delta);

    double ra = 0.0, dec = 0.0;
    EclipticToEquatorial(lambda, beta, sun.obliquity * kDegToRad, ra, dec);
    PlutoGeocentricPlace place;
    place.rightAscension = ReduceAngle(ra * kRadToDeg / 15.0, 24.0);
    place.declination = dec * kRadToDeg;
    place.distance = delta;
    place.heliocentricDistance = r;
    place.sunDistance = bigR;
    return place;
}

}  // namespace vsp
