#include "ephemeris/Precession.h"

#include "ephemeris/Constants.h"

namespace vsp {

Mat3 PrecessionMatrix(double jdFrom, double jdTo) {
    const double T = (jdFrom - kJ2000Jd) / kDaysPerJulianCentury;
    const double t = (jdTo - jdFrom) / kDaysPerJulianCentury;
    const double rate = 2306.2181 + (1.39656 - 0.000139 * T) * T;
    const double zeta = (rate + ((0.30188 - 0.000344 * T) + 0.017998 * t) * t) * t;
    const double z = (rate + ((1.09468 + 0.000066 * T) + 0.018203 * t) * t) * t;
    const double theta = ((2004.3109 - (0.85330 + 0.000217 * T) * T) -
                          ((0.42665 + 0.000217 * T) + 0.041833 * t) * t) * t;
    return MatMul(RotationAboutZ(-z * kArcsecToRad),
                  MatMul(RotationAboutY(theta * kArcsecToRad), RotationAboutZ(-zeta * kArcsecToRad)));
}

Vec3 Precess(double jdFrom, const Vec3& v, double jdTo) {
    return MatMulVec(PrecessionMatrix(jdFrom, jdTo), v);
}

}  // namespace vsp
