#pragma once
// How far apart two places on the sky are, for comparing a computed place with a reference.

#include <cmath>
#include <numbers>

namespace vsp::test {

// Great-circle separation in arcseconds of two places given as right ascension in hours and
// declination in degrees (haversine form, exact for small separations).
inline double SeparationArcsec(double raHours1, double decDeg1, double raHours2, double decDeg2) {
    constexpr double kHourToRad = std::numbers::pi / 12, kDegToRad = std::numbers::pi / 180;
    const double d1 = decDeg1 * kDegToRad, d2 = decDeg2 * kDegToRad;
    const double x = std::sin((d2 - d1) / 2), y = std::sin((raHours2 - raHours1) * kHourToRad / 2);
    const double radians = 2 * std::asin(std::sqrt(x * x + std::cos(d1) * std::cos(d2) * y * y));
    return radians * (180 * 3600 / std::numbers::pi);
}

}  // namespace vsp::test
