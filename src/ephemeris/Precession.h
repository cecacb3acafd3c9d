#pragma once
// IAU 1976 precession (Lieske's angles) between any two dates, either direction.

#include "ephemeris/Matrix.h"
#include "ephemeris/Vec3.h"

namespace vsp {

inline constexpr double kJ2000Jd = 2451545.0;

// The rotation from the mean equator and equinox of jdFrom to those of jdTo (TT JDs).
Mat3 PrecessionMatrix(double jdFrom, double jdTo);
Vec3 Precess(double jdFrom, const Vec3& v, double jdTo);

}  // namespace vsp
