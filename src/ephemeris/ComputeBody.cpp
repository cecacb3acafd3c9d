#include "ephemeris/ComputeBody.h"

#include <cmath>

#include "ephemeris/ApparentDiameter.h"
#include "ephemeris/ChartModePlace.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/PlanetHeliocentric.h"
#include "ephemeris/PlanetMagnitude.h"
#include "ephemeris/Time.h"

namespace vsp {
namespace {

// The theory's planet number of a body code, or 0.
int PlanetNumber(int code) {
    switch (code) {
    case kBodyMercury: return 1;
    case kBodyVenus: return 2;
    case kBodyEarth: return 3;
    case kBodyMars:
    case kBodyJupiter:
    case kBodySaturn:
    case kBodyUranus:
    case kBodyNeptune: return code;
    default: return 0;
    }
}

double Length3(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

int ComputePlanet(BodyPosition& record, int code, const Instant& when,
                  const EphemerisSettings& settings, EarthOrientationCache& cache) {
    const int planet = PlanetNumber(code);
    const BarycentricEphemeris body = [planet](const Instant& at, double* position, double* velocity) {
        return PlanetBarycentric(at, planet, position, velocity);
    };
    ApparentPlace place;
    const int err = ApparentPlaceInChartMode(when, settings, body, cache, place);
    if (err) return err;

    double helio[3], velocity[3], earthFromSun[3];
    PlanetHeliocentric(when, planet, helio, velocity);
    EarthHeliocentric(when, earthFromSun);
    record.rightAscension = place.raHours;
    record.declination = place.decDeg;
    record.distance = place.lightDistance;
    PlanetPhase phase;
    PlanetMagnitude(code, place.lightDistance, Length3(earthFromSun), Length3(helio), phase);
    record.phaseFraction = phase.illuminatedFraction;
    record.illuminatedFraction = phase.illuminatedFraction;
    record.magnitude = phase.magnitude;
    record.elongation = phase.elongation;
    record.diameter = ApparentDiameter(code, place.lightDistance);
    return kEphemerisOk;
}

// The ring formula counts days of UT.
void AddSaturnRings(BodyPosition& record, double jdUt) {
    const CalendarDateTime ut = CalendarFromJulianDay(jdUt);
    const double d = SaturnRingDayNumber(ut.year, ut.month, ut.day, ut.hour, ut.minute, ut.second);
    record.magnitude += SaturnRingMagnitude(
        SaturnRingTilt(d, record.eclipticLongitude, record.eclipticLatitude));
}

}  // namespace

int ComputeBody(BodyPosition& record, int code, const Instant& when, const EphemerisSettings& settings,
                BodyHorizon* horizon) {
    record = BodyPosition{};
    if (horizon) *horizon = BodyHorizon{};
    EarthOrientationCache cache;
    int err = kEphemerisOk;
    if (PlanetNumber(code) != 0) {
        err = IsInEarthEphemerisRange(when) ? ComputePlanet(record, code, when, settings, cache)
                                            : kEphemerisOutOfRange;
    } else {
        err = ComputeSunMoonPluto(record, code, when, settings);
    }
    if (err) {
        record = BodyPosition{};
        return err;
    }

    const HorizonPlace seen = HorizonInChartMode(when, settings, record.rightAscension, record.declination, cache);
    record.rightAscension = seen.raHours;
    record.declination = seen.decDeg;
    SetEclipticCoordinates(record, when);
    if (code == kBodySaturn) AddSaturnRings(record, when.ut);
    if (horizon) {
        horizon->altitude = 90.0 - seen.zenithDistance;
        horizon->azimuth = seen.azimuth;
    }
    return kEphemerisOk;
}

}  // namespace vsp
