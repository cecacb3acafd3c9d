#include "ephemeris/EarthOrientation.h"

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/Nutation.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {

EarthTiltValues EarthTilt(double jde) {
    const double T = (jde - kJ2000Jd) / kDaysPerJulianCentury;
    const double meanArcsec = MeanObliquityArcsec(T);
    const NutationAngles n = Nutation1980(jde);
    const double omega = MoonMeanNode(jde);
    EarthTiltValues v;
    v.dpsi = n.dpsi;
    v.deps = n.deps;
    v.meanObliquity = meanArcsec / 3600.0;
    v.trueObliquity = (meanArcsec + n.deps) / 3600.0;
    v.equationOfEquinoxes = (n.dpsi * std::cos(meanArcsec * kArcsecToRad) +
                             0.00264 * std::sin(omega) + 0.000063 * std::sin(2.0 * omega)) /
                            15.0;
    return v;
}

const EarthTiltValues& EarthTilt(double jde, EarthOrientationCache& cache) {
    if (cache.jde != jde) {  // a NaN key never matches, so a new cache always fills
        cache.tilt = EarthTilt(jde);
        cache.jde = jde;
    }
    return cache.tilt;
}

double SiderealTimeApparent(double jdHigh, double jdLow, double equationOfEquinoxesSeconds) {
    const double tHigh = (jdHigh - kJ2000Jd) / kDaysPerJulianCentury;
    const double tLow = jdLow / kDaysPerJulianCentury;
    const double t = tHigh + tLow;
    // The day rate (3.15576e9 s per century) and the sidereal excess are applied to each part
    // of the date on its own, so that the large whole-day part does not swamp the fraction.
    double seconds = equationOfEquinoxesSeconds + 67310.54841 + 8640184.812866 * tLow +
                     3155760000.0 * tLow + 8640184.812866 * tHigh + 3155760000.0 * tHigh +
                     (0.093104 - 6.2e-6 * t) * t * t;
    return ReduceAngle(seconds / 3600.0, 24.0);
}

Mat3 NutationMatrix(const EarthTiltValues& tilt) {
    // Rotate to the ecliptic of date, advance the equinox by dpsi, back by the true obliquity.
    return MatMul(RotationAboutX(-tilt.trueObliquity * kDegToRad),
                  MatMul(RotationAboutZ(-tilt.dpsi * kArcsecToRad),
                         RotationAboutX(tilt.meanObliquity * kDegToRad)));
}

Vec3 Nutate(double jde, NutationDirection direction, const Vec3& v, EarthOrientationCache& cache) {
    const Mat3 n = NutationMatrix(EarthTilt(jde, cache));
    return MatMulVec(direction == NutationDirection::kMeanToTrue ? n : MatTranspose(n), v);
}

}  // namespace vsp
