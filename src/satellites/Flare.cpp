#include "satellites/Flare.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/Vec3.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

constexpr std::array<double, 3> kMirrorAzimuthsDeg = {0.0, 120.0, -120.0};

constexpr double kMinute = 1.0 / 1440.0;
constexpr double kCoarseBefore = 2.0 * kMinute;
constexpr double kCoarseAfter = 15.0 * kMinute;
constexpr double kCoarseTolerance = 1.1574074074074075e-10;
constexpr double kFineHalfWidth = kMinute;
constexpr double kFineTolerance = 3.472222222222222e-12;
constexpr double kPreciseHalfWidth = 10.0 / kSecondsPerDay;
constexpr double kPreciseTolerance = 1.1574074074074073e-13;

constexpr double kMagnitudeMinAngleDeg = 0.047;
constexpr double kMagnitudeSlope = 4.742;
constexpr double kMagnitudeOffset = 1.737;

Vec3 Unit(const Vec3& v) { return (1.0 / Length(v)) * v; }

Vec3 SunVectorKm(double jdUt, double deltaTSeconds) {
    EphemerisSettings geocentric;
    geocentric.chartMode = 0;
    BodyPosition sun;
    ComputeSunMoonPluto(sun, kBodySun, Instant::FromUt(jdUt, deltaTSeconds), geocentric);
    return (sun.distance * sat::kKmPerAu) * RaDecToVector(sun.rightAscension, sun.declination);
}

}  // namespace

double FlareAngle(double jdUt, double deltaTSeconds, const SatelliteObserver& observer, SatelliteElements& elements) {
    ComputeSatelliteSgp4(jdUt, observer, elements);
    const Vec3 position{{elements.position.x, elements.position.y, elements.position.z}};
    const Vec3 velocity{{elements.velocity.x, elements.velocity.y, elements.velocity.z}};
    // Body frame: along the velocity, along the orbit normal, and the third axis completing the
    // right-handed set (close to the local vertical).
    const Vec3 along = Unit(velocity);
    const Vec3 normal = Unit(Cross(position, velocity));
    const Vec3 up = Cross(along, normal);
    const auto toBody = [&](const Vec3& v) { return Vec3{{Dot(v, along), Dot(v, normal), Dot(v, up)}}; };
    const Vec3 sun = toBody(Unit(SunVectorKm(jdUt, deltaTSeconds) - position));
    // The look angles' topocentric place points from the observer to the satellite.
    const Vec3 toObserver = toBody(-1.0 * RaDecToVector(elements.raHours, elements.decDeg));

    const double tilt = kFlareMirrorTiltDeg * kDegToRad;
    double smallest = std::numbers::pi;
    for (double azimuthDeg : kMirrorAzimuthsDeg) {
        const double azimuth = azimuthDeg * kDegToRad;
        const Vec3 mirror{{std::cos(tilt) * std::cos(azimuth), std::cos(tilt) * std::sin(azimuth), std::sin(tilt)}};
        const Vec3 reflected = (2.0 * Dot(sun, mirror)) * mirror - sun;
        smallest = std::min(smallest, AngularSeparation(reflected, toObserver));
    }
    return smallest;
}

int FlareMagnitude(double angleDeg) {
    const double a = std::max(angleDeg, kMagnitudeMinAngleDeg);
    return static_cast<int>(std::trunc(kMagnitudeSlope * std::log10(a) - kMagnitudeOffset - 0.5));
}

bool FindFlare(const ScalarFunction& angleRad, double riseJd, bool precise, FlareInstant& flare) {
    BrentMinimum best = BrentMinimise(angleRad, riseJd - kCoarseBefore, riseJd + kCoarseAfter, kCoarseTolerance);
    if (best.value > kFlareMaxCoarseAngleDeg * kDegToRad) return false;
    best = BrentMinimise(angleRad, best.x - kFineHalfWidth, best.x + kFineHalfWidth, kFineTolerance);
    if (precise) best = BrentMinimise(angleRad, best.x - kPreciseHalfWidth, best.x + kPreciseHalfWidth, kPreciseTolerance);
    flare.jdUt = best.x;
    flare.angleDeg = best.value * kRadToDeg;
    return flare.angleDeg <= (precise ? kFlareMaxAnglePreciseDeg : kFlareMaxAngleDeg);
}

}  // namespace vsp

