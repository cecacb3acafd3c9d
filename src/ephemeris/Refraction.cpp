#include "ephemeris/Refraction.h"

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"

namespace vsp {

namespace {
constexpr double kConvergence = 5e-5;  // degrees
constexpr int kMaxIterations = 100;    // the iteration settles in a few steps; a guard only
}  // namespace

double Refraction(const ObserverPlace& place, int option, double zenithDeg) {
    if (zenithDeg < 0.1 || zenithDeg > 91.0) return 0.0;
    double pressure = place.pressure, temperature = place.temperature;
    if (option != kRefractionLocal) {
        pressure = 1010.0 * std::exp(-0.00010989010989010989 * place.height);
        temperature = 10.0;
    }
    const double h = 90.0 - zenithDeg;
    const double r = 0.016667 / std::tan((h + 7.31 / (h + 4.4)) * kDegToRad);
    return r * 0.28 * pressure / (temperature + 273.0);
}

HorizonPlace EquToHor(const Instant& when, const ObserverPlace& place, double raHours, double decDeg, int option,
                      EarthOrientationCache& cache) {
    const EarthTiltValues& tilt = EarthTilt(when.tt, cache);
    const double gast = SiderealTimeApparent(when.ut, 0.0, tilt.equationOfEquinoxes);
    const double theta = (gast * 15.0 + place.longitude) * kDegToRad;
    const double phi = place.latitude * kDegToRad;
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double sinTheta = std::sin(theta), cosTheta = std::cos(theta);
    // Zenith, north and west of the place in the equatorial frame of date.
    const Vec3 zenith{{cosPhi * cosTheta, cosPhi * sinTheta, sinPhi}};
    const Vec3 north{{-sinPhi * cosTheta, -sinPhi * sinTheta, cosPhi}};
    const Vec3 west{{sinTheta, -cosTheta, 0.0}};

    const Vec3 p = RaDecToVector(raHours, decDeg);
    const double pz = Dot(p, zenith), pn = Dot(p, north), pw = Dot(p, west);
    const double horizontal = std::hypot(pn, pw);
    HorizonPlace out;
    if (horizontal > 0.0) {
        out.azimuth = ReduceAngle(-std::atan2(pw, pn) * kRadToDeg, 360.0);
    }
    const double z0 = std::atan2(horizontal, pz) * kRadToDeg;
    out.zenithDistance = z0;
    out.raHours = raHours;
    out.decDeg = decDeg;
    if (option == kRefractionNone) return out;

    double z = z0, previous = z0, refraction = 0.0;
    for (int i = 0; i < kMaxIterations; ++i) {
        refraction = Refraction(place, option, previous);
        z = z0 - refraction;
        if (std::fabs(z - previous) <= kConvergence) break;
        previous = z;
    }
    out.zenithDistance = z;
    if (refraction > 0.0 && z > 0.01) {
        // Turn the direction towards the zenith in its vertical plane.
        const double scale = std::sin(z * kDegToRad) / std::sin(z0 * kDegToRad);
        const double cosZ0 = std::cos(z0 * kDegToRad), cosZ = std::cos(z * kDegToRad);
        const Vec3 refracted = scale * (p - cosZ0 * zenith) + cosZ * zenith;
        VectorToRaDec(refracted, out.raHours, out.decDeg);
    }
    return out;
}

}  // namespace vsp
