#include "ephemeris/TopocentricParallax.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/EarthOrientation.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {

namespace {
constexpr double kNearLimit = 0.005;  // AU; nearer than this (the Moon) the exact r / distance
constexpr double kSolarParallax = 4.263451511677261e-5;  // 8.794" in radians, at 1 AU

// Greenwich apparent sidereal time in degrees (Meeus 12.4 with the nutation in right
// ascension); the cubic term takes the date at the middle of its day.
double ApparentSiderealDegrees(const Instant& when) {
    const double T = when.CenturiesUt();
    const double tDay = (std::floor(kDaysPerJulianCentury * T) + 0.5) / kDaysPerJulianCentury;
    const EarthTiltValues tilt = EarthTilt(when.tt);
    const double epsilon = tilt.trueObliquity;
    const double theta = 280.46061837 + 13185000.7700537 * T + 0.000387933 * tDay * tDay -
                         tDay * tDay * tDay / 38710000.0 +
                         tilt.dpsi * std::cos(epsilon * kDegToRad) / 3600.0;
    return ReduceAngle(theta, 360.0);
}
}  // namespace

void TopocentricParallax(const Instant& when, double& alpha, double& delta, double distance,
                         double longitudeWest, double latitude, double height, double* azimuth,
                         double* altitude) {
    const double phi = latitude * kDegToRad;
    const double u = std::atan(kEarthPolarRatio * std::tan(phi));
    const double rhoSin = kEarthPolarRatio * std::sin(u) + height / kEarthRadiusM * std::sin(phi);
    const double rhoCos = std::cos(u) + height / kEarthRadiusM * std::cos(phi);

    const double hourAngle =
        ReduceAngle(ApparentSiderealDegrees(when) - longitudeWest - alpha * kRadToDeg, 360.0) * kDegToRad;
    const double sinParallax = distance < kNearLimit ? kEarthRadiusKm / (distance * kKmPerAu)
                                                     : std::sin(kSolarParallax / distance);

    const double cosDelta = std::cos(delta), sinDelta = std::sin(delta);
    const double denominator = cosDelta - rhoCos * sinParallax * std::cos(hourAngle);
    const double dAlpha = std::atan2(-rhoCos * sinParallax * std::sin(hourAngle), denominator);
    const double deltaTopo =
        std::atan2((sinDelta - rhoSin * sinParallax) * std::cos(dAlpha), denominator);
    alpha += dAlpha;
    delta = deltaTopo;

    if (!azimuth || !altitude) return;
    const double h = hourAngle - dAlpha;
    const double alt = std::asin(std::sin(phi) * std::sin(deltaTopo) +
                                 std::cos(phi) * std::cos(deltaTopo) * std::cos(h));
    double az = std::acos(std::clamp((std::sin(deltaTopo) - std::sin(alt) * std::sin(phi)) /
                                         (std::cos(alt) * std::cos(phi)),
                                     -1.0, 1.0)) *
                kRadToDeg;
    if (std::sin(h) > 0.0) az = 360.0 - az;
    *altitude = alt * kRadToDeg;
    *azimuth = az;
}

}  // namespace vsp
