#include "ephemeris/MoonAge.h"

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Time.h"

namespace vsp {
namespace {
constexpr double kEpochJd = 2444238.5;  // 1980 January 0.0

// The Sun's apparent orbit and the Moon's orbit at the epoch, degrees.
constexpr double kSunLongitudeAtEpoch = 278.833540;
constexpr double kSunPerigeeLongitude = 282.596403;
constexpr double kEarthEccentricity = 0.016718;
constexpr double kMoonMeanLongitudeAtEpoch = 64.975464;
constexpr double kMoonPerigeeAtEpoch = 349.383063;
constexpr double kPicturesPerDegree = 0.08055555555555556;  // 29 pictures per turn

// Kepler's equation by Newton's method, radians.
double EccentricAnomaly(double meanAnomaly, double e) {
    double ecc = meanAnomaly;
    for (int step = 0; step < 20; ++step) {
        const double delta = (ecc - e * std::sin(ecc) - meanAnomaly) / (1.0 - e * std::cos(ecc));
        ecc -= delta;
        if (std::fabs(delta) <= 1e-9) break;
    }
    return ecc;
}

}  // namespace

double MoonAgeFraction(double ageDegrees, int& pictureIndex) {
    const double a = ReduceAngle(ageDegrees, 360.0);
    pictureIndex = static_cast<int>(a * kPicturesPerDegree);
    if (pictureIndex >= kMoonPictureCount) pictureIndex = kMoonPictureCount - 1;
    return (1.0 - std::cos(a * kDegToRad)) / 2.0;
}

double MoonAgeAngle(int year, int month, int day, double hour, int tzOffsetMinutes) {
    const double jd = JulianDay(year, month, day) + (hour + tzOffsetMinutes / 60.0) / 24.0;
    const double d = jd - kEpochJd;

    // The Sun: mean anomaly from the epoch, true anomaly from Kepler's equation.
    const double n = ReduceAngle(360.0 / 365.2422 * d, 360.0);
    const double sunAnomaly = ReduceAngle(n + kSunLongitudeAtEpoch - kSunPerigeeLongitude, 360.0) * kDegToRad;
    const double e = kEarthEccentricity;
    const double ecc = EccentricAnomaly(sunAnomaly, e);
    const double trueAnomaly = 2.0 * std::atan(std::sqrt((1.0 + e) / (1.0 - e)) * std::tan(ecc / 2.0));
    const double sunLongitude = ReduceAngle(trueAnomaly * kRadToDeg + kSunPerigeeLongitude, 360.0);

    // The Moon: mean longitude and anomaly, then evection, the annual equation, the equation
    // of the centre and the variation.
    const double l = ReduceAngle(13.1763966 * d + kMoonMeanLongitudeAtEpoch, 360.0);
    const double mm = ReduceAngle(l - 0.1114041 * d - kMoonPerigeeAtEpoch, 360.0);
    const double evection = 1.2739 * std::sin((2.0 * (l - sunLongitude) - mm) * kDegToRad);
    const double annual = 0.1858 * std::sin(sunAnomaly);
    const double a3 = 0.37 * std::sin(sunAnomaly);
    const double mmCorrected = (mm + evection - annual - a3) * kDegToRad;
    const double centre = 6.2886 * std::sin(mmCorrected);
    const double a4 = 0.214 * std::sin(2.0 * mmCorrected);
    const double corrected = l + evection + centre - annual + a4;
    const double variation = 0.6583 * std::sin(2.0 * (corrected - sunLongitude) * kDegToRad);
    const double moonLongitude = corrected + variation;

    return ReduceAngle(moonLongitude - sunLongitude, 360.0);
}

double MoonAge(int year, int month, int day, double hour, int tzOffsetMinutes, int& pictureIndex) {
    return MoonAgeFraction(MoonAgeAngle(year, month, day, hour, tzOffsetMinutes), pictureIndex);
}

}  // namespace vsp
