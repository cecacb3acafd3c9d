#include "ephemeris/MoonQuick.h"

#include <cmath>
#include <cstdlib>
#include <span>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/tables/MoonQuickTerms.h"

namespace vsp {
namespace {

struct QuickArguments {
    double d, m, mPrime, f;  // radians
    double e;                // the eccentricity factor E
};

// Sum of coefficient * E^|m| * sin (or cos) of each row's argument.
double QuickSum(std::span<const MoonQuickTerm> terms, const QuickArguments& a, bool cosine) {
    double sum = 0.0;
    for (const MoonQuickTerm& t : terms) {
        const double x = t.d * a.d + t.m * a.m + t.mPrime * a.mPrime + t.f * a.f;
        double c = t.coefficient;
        for (int k = std::abs(t.m); k > 0; --k) c *= a.e;
        sum += c * (cosine ? std::cos(x) : std::sin(x));
    }
    return sum;
}

}  // namespace

MoonQuickEcliptic MoonQuickGeocentric(const Instant& when) {
    const double T = when.CenturiesTt();
    const double T2 = T * T;
    const double meanLongitude = ReduceAngle(218.3164591 + 481267.88134236 * T - 0.0015786 * T2, 360.0);
    QuickArguments a;
    a.d = ReduceAngle(297.8502042 + 445267.1115168 * T - 0.0018819 * T2, 360.0) * kDegToRad;
    a.m = ReduceAngle(357.5291092 + 35999.0502909 * T - 0.0001536 * T2, 360.0) * kDegToRad;
    a.mPrime = ReduceAngle(134.9634114 + 477198.8676313 * T + 0.008997 * T2, 360.0) * kDegToRad;
    a.f = ReduceAngle(93.272095 + 483202.0175233 * T - 0.0036539 * T2, 360.0) * kDegToRad;
    a.e = 1.0 - 0.002516 * T - 7.4e-6 * T2;

    MoonQuickEcliptic place;
    place.longitude = ReduceAngle(meanLongitude + QuickSum(kMoonQuickLongitude, a, false) * 1e-6, 360.0);
    place.latitude = QuickSum(kMoonQuickLatitude, a, false) * 1e-6;
    place.distance = (384999727.927 + QuickSum(kMoonQuickDistance, a, true)) * 0.001;
    return place;
}

void MoonQuick(double& raHours, double& decDeg, const Instant& when, const EphemerisSettings& settings,
               double* distance) {
    const ObserverLocation& site = settings.location;
    const double T = when.CenturiesTt();
    const MoonQuickEcliptic moon = MoonQuickGeocentric(when);

    // Mean equator of date.
    double alpha = 0.0, delta = 0.0;
    EclipticToEquatorial(moon.longitude * kDegToRad, moon.latitude * kDegToRad,
                         MeanObliquityArcsec(T) * kArcsecToRad, alpha, delta);

    // The observer on a sphere, at the local mean sidereal angle; everything in Earth radii.
    const double d = when.ut - kJ2000Jd;
    const double theta =
        ReduceAngle(280.46061837 + 360.98564736629 * d + 0.000387933 * T * T - site.longitudeWest, 360.0) * kDegToRad;
    const double phi = site.latitude * kDegToRad;
    const double r = moon.distance / kEarthRadiusKm;
    const double x = r * std::cos(delta) * std::cos(alpha) - std::cos(phi) * std::cos(theta);
    const double y = r * std::cos(delta) * std::sin(alpha) - std::cos(phi) * std::sin(theta);
    const double z = r * std::sin(delta) - std::sin(phi);

    raHours = ReduceAngle(std::atan2(y, x) * kRadToDeg / 15.0, 24.0);
    decDeg = std::asin(z / std::sqrt(x * x + y * y + z * z)) * kRadToDeg;
    if (distance) *distance = moon.distance / kKmPerAu;
}

}  // namespace vsp
