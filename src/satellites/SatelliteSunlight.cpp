// The Sun for the shadow test (the low-precision solar theory of epoch 1900, good to about
// 0.01°, ample for a shadow edge) and the Earth's shadow as a disc against the Sun's disc.

#include <cmath>

#include "ephemeris/Constants.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {

using namespace sat;

Vec3 SunPosition(double jdUt, double deltaTSeconds) {
    const double t = (jdUt + deltaTSeconds / 86400.0 - 2415020.0) / kDaysPerJulianCentury;
    const double m = (358.47583 + 35999.04975 * t - (0.00015 + 3.3e-6 * t) * t * t) * kDegToRad;
    const double l = 279.69668 + 36000.76892 * t + 0.0003025 * t * t;
    const double e = 0.01675104 - (4.18e-5 + 1.26e-7 * t) * t;
    const double c = (1.91946 - (0.004789 + 1.4e-5 * t) * t) * std::sin(m) + (0.020094 - 0.0001 * t) * std::sin(2.0 * m) +
                     0.000293 * std::sin(3.0 * m);
    const double node = (259.18 - 1934.142 * t) * kDegToRad;
    const double lambda = (l + c - (0.00569 - 0.00479 * std::sin(node))) * kDegToRad;
    const double epsilon =
        (23.452294 - (0.0130125 + (1.64e-6 - 5.03e-7 * t) * t) * t + 0.00256 * std::cos(node)) * kDegToRad;
    const double r = 1.0000002 * (1.0 - e * e) / (1.0 + e * std::cos(m + c * kDegToRad)) * sat::kKmPerAu;
    return {{r * std::cos(lambda), r * std::sin(lambda) * std::cos(epsilon), r * std::sin(lambda) * std::sin(epsilon)}};
}

SatelliteShadow IsEclipsed(const Vec3& satelliteKm, const Vec3& sunKm) {
    const double distance = Length(satelliteKm);
    const Vec3 toSun = sunKm - satelliteKm;
    const double sunDistance = Length(toSun);
    const double earthSemiDiameter = std::asin(sat::kEarthRadiusKm / distance);
    const double sunSemiDiameter = std::asin(kSunRadiusKm / sunDistance);
    const double separation = std::acos(-Dot(toSun, satelliteKm) / (sunDistance * distance));
    SatelliteShadow shadow;
    shadow.depth = earthSemiDiameter - sunSemiDiameter - separation;
    shadow.eclipsed = earthSemiDiameter >= sunSemiDiameter && shadow.depth >= 0.0;
    return shadow;
}

}  // namespace vsp
