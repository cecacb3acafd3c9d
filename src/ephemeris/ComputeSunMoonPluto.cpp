#include <cmath>

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
#include "ephemeris/Time.h"
#include "ephemeris/TopocentricParallax.h"

namespace vsp {
namespace {
constexpr double kSunMagnitude = -24.6;
constexpr double kSunDisplayConstant = 3.0;
constexpr double kMoonDisplayConstant = 3.0;
constexpr double kPlutoDisplayConstant = 0.1;

double CenturiesFromJ2000(double jde) { return (jde - kJ2000Jd) / kDaysPerJulianCentury; }

// The apparent Sun: VSOP87 Earth turned round, nutation in longitude, aberration, and the true
// obliquity of the date.
void ApparentSun(double jde, double& raHours, double& decDeg, double& distance) {
    const EclipticPlace earth = EarthVsop87(jde);
    const EarthTiltValues tilt = EarthTilt(jde);
    const double lambda = (earth.longitude * kRadToDeg + 180.0 + tilt.dpsi / 3600.0 -
                           kAberrationDegAtUnitDistance / earth.radius) * kDegToRad;
    double ra = 0.0, dec = 0.0;
    EclipticToEquatorial(lambda, -earth.latitude, tilt.trueObliquity * kDegToRad, ra, dec);
    raHours = ReduceAngle(ra, kTwoPi) / kHoursToRad;
    decDeg = dec * kRadToDeg;
    distance = earth.radius;
}

void FillSun(BodyPosition& record, double jde) {
    ApparentSun(jde, record.rightAscension, record.declination, record.distance);
    record.phaseFraction = 1.0;
    record.magnitude = kSunMagnitude;
    record.diameter = ApparentDiameter(kBodySun, record.distance);
    record.displayConstant = kSunDisplayConstant;
}

void FillPluto(BodyPosition& record, double jde) {
    const PlutoGeocentricPlace pluto = PlutoGeocentric(jde);
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
void FillMoon(BodyPosition& record, double jde, const EphemerisSettings& settings) {
    MoonPrecise(record, CenturiesFromJ2000(jde), settings);
    record.rightAscension = ReduceAngle(record.rightAscension / kHoursToRad, 24.0);
    record.displayConstant = kMoonDisplayConstant;
}

// The parallax turns with the Earth, which keeps Universal Time: the JDE runs ΔT ahead, and
// each second of it would turn the observer 15" too far, which moves the Moon's 57' parallax
// by up to 0.25" a second. The ΔT taken off is the one the JDE was formed with.
double UniversalCenturies(double jde, const EphemerisSettings& settings) {
    const CalendarDateTime date = CalendarFromJulianDay(jde);
    const double deltaT = std::trunc(DeltaT(date.year, date.month, date.day, settings));
    return CenturiesFromJ2000(jde - deltaT / 86400.0);
}

void ApplyParallax(BodyPosition& record, double jde, const EphemerisSettings& settings) {
    const ObserverLocation& site = settings.location;
    double alpha = record.rightAscension * kHoursToRad;
    double delta = record.declination * kDegToRad;
    TopocentricParallax(UniversalCenturies(jde, settings), alpha, delta, record.distance,
                        site.longitudeWest, site.latitude, site.height);
    record.rightAscension = ReduceAngle(alpha, kTwoPi) / kHoursToRad;
    record.declination = delta * kRadToDeg;
}

}  // namespace

void SetEclipticCoordinates(BodyPosition& record, double jde) {
    const double eps = MeanObliquityArcsec(CenturiesFromJ2000(jde)) * kArcsecToRad;
    EquatorialToEcliptic(record.rightAscension * 15.0 * kDegToRad, record.declination * kDegToRad,
                         eps, record.eclipticLongitude, record.eclipticLatitude);
}

int ComputeSunMoonPluto(BodyPosition& record, int code, double jde, const EphemerisSettings& settings) {
    record = BodyPosition{};
    if (code != kBodySun && code != kBodyEclipseSun && code != kBodyMoon && code != kBodyPluto) {
        return kEphemerisUnknownBody;
    }
    // The lunar theory does not fail; the Sun and Pluto need the Earth ephemeris's range.
    if (code != kBodyMoon && !IsInEarthEphemerisRange(jde)) return kEphemerisOutOfRange;

    if (code == kBodyMoon) FillMoon(record, jde, settings);
    else if (code == kBodyPluto) FillPluto(record, jde);
    else FillSun(record, jde);
    if (settings.chartMode == 2 || settings.chartMode == 3) {
        ApplyParallax(record, jde, settings);
    }
    SetEclipticCoordinates(record, jde);
    return kEphemerisOk;
}

}  // namespace vsp
