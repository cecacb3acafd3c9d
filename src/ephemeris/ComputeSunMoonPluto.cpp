#include "ephemeris/ApparentDiameter.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/EarthOrientation.h"
#include "ephemeris/EarthVsop87.h"
#include "ephemeris/MoonPrecise.h"
#include "ephemeris/PlanetMagnitude.h"
#include "ephemeris/Pluto.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/TopocentricParallax.h"

namespace vsp {
namespace {
constexpr double kSunMagnitude = -24.6;
constexpr double kSunDisplayConstant = 3.0;
constexpr double kMoonDisplayConstant = 3.0;
constexpr double kPlutoDisplayConstant = 0.1;

// The apparent Sun: VSOP87 Earth turned round, nutation in longitude, aberration, and the true
// obliquity of the date.
void ApparentSun(const Instant& when, double& raHours, double& decDeg, double& distance) {
    const EclipticPlace earth = EarthVsop87(when);
    const EarthTiltValues tilt = EarthTilt(when.tt);
    const double lambda = (earth.longitude * kRadToDeg + 180.0 + tilt.dpsi / 3600.0 -
                           kAberrationDegAtUnitDistance / earth.radius) * kDegToRad;
    double ra = 0.0, dec = 0.0;
    EclipticToEquatorial(lambda, -earth.latitude, tilt.trueObliquity * kDegToRad, ra, dec);
    raHours = ReduceAngle(ra, kTwoPi) / kHoursToRad;
    decDeg = dec * kRadToDeg;
    distance = earth.radius;
}

void FillSun(BodyPosition& record, const Instant& when) {
    ApparentSun(when, record.rightAscension, record.declination, record.distance);
    record.phaseFraction = 1.0;
    record.magnitude = kSunMagnitude;
    record.diameter = ApparentDiameter(kBodySun, record.distance);
    record.displayConstant = kSunDisplayConstant;
}

void FillPluto(BodyPosition& record, const Instant& when) {
    const PlutoGeocentricPlace pluto = PlutoGeocentric(when);
    record.rightAscension = pluto.rightAscension;
    record.declination = pluto.declination;
    record.distance = pluto.distance;
    PlanetPhase phase;
    PlanetMagnitude(kBodyPluto, pluto.distance, pluto.sunDistance, pluto.heliocentricDistance, phase);
    record.phaseFraction = phase.illuminatedFraction;
    record.illuminatedFraction = phase.illuminatedFraction;
    record.magnitude = phase.magnitude;
    record.elongation = phase.elongation;
    record.diameter = ApparentDiameter(kBodyPluto, pluto.distance);
    record.displayConstant = kPlutoDisplayConstant;
}

// MoonPrecise leaves the right ascension in radians.
void FillMoon(BodyPosition& record, const Instant& when, const EphemerisSettings& settings) {
    MoonPrecise(record, when, settings);
    record.rightAscension = ReduceAngle(record.rightAscension / kHoursToRad, 24.0);
    record.displayConstant = kMoonDisplayConstant;
}

void ApplyParallax(BodyPosition& record, const Instant& when, const EphemerisSettings& settings) {
    const ObserverLocation& site = settings.location;
    double alpha = record.rightAscension * kHoursToRad;
    double delta = record.declination * kDegToRad;
    TopocentricParallax(when, alpha, delta, record.distance,
                        site.longitudeWest, site.latitude, site.height);
    record.rightAscension = ReduceAngle(alpha, kTwoPi) / kHoursToRad;
    record.declination = delta * kRadToDeg;
}

}  // namespace

void SetEclipticCoordinates(BodyPosition& record, const Instant& when) {
    const double eps = MeanObliquityArcsec(when.CenturiesTt()) * kArcsecToRad;
    EquatorialToEcliptic(record.rightAscension * 15.0 * kDegToRad, record.declination * kDegToRad,
                         eps, record.eclipticLongitude, record.eclipticLatitude);
}

int ComputeSunMoonPluto(BodyPosition& record, int code, const Instant& when, const EphemerisSettings& settings) {
    record = BodyPosition{};
    if (code != kBodySun && code != kBodyEclipseSun && code != kBodyMoon && code != kBodyPluto) {
        return kEphemerisUnknownBody;
    }
    // The lunar theory does not fail; the Sun and Pluto need the Earth ephemeris's range.
    if (code != kBodyMoon && !IsInEarthEphemerisRange(when)) return kEphemerisOutOfRange;

    if (code == kBodyMoon) FillMoon(record, when, settings);
    else if (code == kBodyPluto) FillPluto(record, when);
    else FillSun(record, when);
    if (settings.chartMode == 2 || settings.chartMode == 3) {
        ApplyParallax(record, when, settings);
    }
    SetEclipticCoordinates(record, when);
    return kEphemerisOk;
}

}  // namespace vsp
