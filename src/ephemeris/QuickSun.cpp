#include "ephemeris/QuickSun.h"

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

// Newton's method on E - e sin E = M from E = M.
double EccentricAnomaly(double meanAnomaly, double e) {
    double ecc = meanAnomaly;
    for (int step = 0; step < 50; ++step) {
        const double delta = (meanAnomaly + e * std::sin(ecc) - ecc) / (1.0 - e * std::cos(ecc));
        ecc += delta;
        if (std::fabs(delta) <= 1e-9) break;
    }
    return ecc;
}

}  // namespace

QuickSunPlace QuickSun(const Instant& when) {
    const double t = (when.tt - 2415020.0) / kDaysPerJulianCentury;  // from J1900.0
    const double t2 = t * t, t3 = t2 * t;
    const double obliquity = 23.452294 - 0.0130125 * t - 1.64e-6 * t2 + 5.03e-7 * t3;
    const double meanLongitude = ReducedRadians(279.69668 + 36000.76892 * t + 0.0003025 * t2);
    const double meanAnomaly =
        ReducedRadians(358.47583 + 35999.04975 * t - 0.00015 * t2 - 3.3e-6 * t3);
    const double e = 0.01675104 - 4.18e-5 * t - 1.26e-7 * t2;

    const double ecc = EccentricAnomaly(meanAnomaly, e);
    const double trueAnomaly = 2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(ecc / 2.0));
    const double longitude = meanLongitude + trueAnomaly - meanAnomaly;

    QuickSunPlace place;
    place.distance = 1.0000002 * (1.0 - e * std::cos(ecc));
    place.obliquity = obliquity;
    place.trueLongitude = ReduceAngle(longitude * kRadToDeg, 360.0);
    double ra = 0.0, dec = 0.0;
    EclipticToEquatorial(longitude, 0.0, obliquity * kDegToRad, ra, dec);
    place.rightAscension = ReduceAngle(ra * kRadToDeg / 15.0, 24.0);
    place.declination = dec * kRadToDeg;
    return place;
}

}  // namespace vsp
