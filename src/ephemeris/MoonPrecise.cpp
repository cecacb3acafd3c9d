#include "ephemeris/MoonPrecise.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/EarthOrientation.h"
#include "ephemeris/EarthVsop87.h"
#include "ephemeris/LunarSeries.h"
#include "ephemeris/MoonAge.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/Time.h"

namespace vsp {
namespace {

// The local clock date and time of an instant, and its hour with the fraction.
void LocalClockOf(const Instant& when, const EphemerisSettings& settings, CalendarDateTime& local, double& hour) {
    local = CalendarFromJulianDay(when.ut + settings.location.tzOffset / 1440.0);
    hour = local.hour + local.minute / 60.0 + local.second / 3600.0;
}

}  // namespace

double MoonDiameter(double distanceAu) {
    if (distanceAu <= 0.0) return 0.0;
    return 716946800.0 / (distanceAu * kKmPerAu) / 60.0;
}

void MoonPrecise(BodyPosition& record, const Instant& when, const EphemerisSettings& settings, int* pictureIndex) {
    double longitude = 0.0, latitude = 0.0, distance = 0.0;
    LunarSeries(when, longitude, latitude, distance);
    const EarthTiltValues tilt = EarthTilt(when.tt);

    const double lambda = longitude + tilt.dpsi / 3600.0 * kDegToRad;
    const double beta = latitude;
    double ra = 0.0, dec = 0.0;
    EclipticToEquatorial(lambda, beta, tilt.trueObliquity * kDegToRad, ra, dec);
    ra = ReduceAngle(ra, kTwoPi);

    // The Sun's apparent longitude, as the precise Sun has it.
    const EclipticPlace earth = EarthVsop87(when);
    const double sunLongitude = (earth.longitude * kRadToDeg + 180.0 + tilt.dpsi / 3600.0 -
                                 kAberrationDegAtUnitDistance / earth.radius) * kDegToRad;
    const double elongation =
        std::acos(std::clamp(std::cos(beta) * std::cos(lambda - sunLongitude), -1.0, 1.0)) * kRadToDeg;

    // Phase angle: the supplement of the elongation less the Sun's parallax seen from the Moon.
    const LunarMeanArguments args = LunarMeanArgumentsAt(when);
    const double psiRad = elongation * kDegToRad;
    const double phaseAngle = 180.0 - elongation -
                              0.1468 * std::sin(psiRad) * (1.0 - 0.0549 * std::sin(args.moonAnomaly)) /
                                  (1.0 - 0.0167 * std::sin(args.sunAnomaly));
    const double i = std::fabs(phaseAngle);

    CalendarDateTime local;
    double hour = 0.0;
    LocalClockOf(when, settings, local, hour);
    int picture = 0;
    const double ageFraction =
        MoonAge(local.year, local.month, local.day, hour, settings.location.tzOffset, picture);

    record.rightAscension = ra;
    record.declination = dec * kRadToDeg;
    record.distance = distance;
    record.phaseFraction = (1.0 + std::cos(phaseAngle * kDegToRad)) / 2.0;
    record.magnitude = -12.73 + 0.026 * i + 4e-9 * i * i * i * i;
    record.illuminatedFraction = ageFraction;
    record.diameter = MoonDiameter(distance);
    record.elongation = elongation;
    if (pictureIndex) *pictureIndex = picture;
}

}  // namespace vsp
