#include "format/BodyRiseSet.h"

#include <cmath>
#include <functional>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "ephemeris/MinorBodyPosition.h"

namespace vsp {
namespace {

constexpr double kSunH0 = -0.833333;
constexpr double kMoonH0 = -0.833333;

CalendarDateTime DayAtMidnight(int year, int month, int day, int days) {
    CalendarDateTime t = CalendarFromJulianDay(JulianDay(year, month, day) + days);
    t.hour = t.minute = t.second = 0;
    return t;
}

// A body's apparent geocentric place (hours, degrees) and distance (AU).
struct GeocentricSample {
    double ra = 0.0, dec = 0.0, distanceAu = 0.0;
};
// One body's sample at an instant; an ephemeris error code.
using GeocentricPlace = std::function<int(const Instant&, const EphemerisSettings&, GeocentricSample&)>;

// The apparent geocentric places at 0h local of the day before, the day and the day after.
int PlacesOfThreeDays(const GeocentricPlace& placeAt, int year, int month, int day, const EphemerisSettings& settings,
                      ThreeDayPlaces& places, double& distanceAu, CalendarDateTime& failedDay) {
    EphemerisSettings geocentric = settings;
    geocentric.chartMode = 0;
    double ra[3], dec[3];
    for (int i = 0; i < 3; ++i) {
        const CalendarDateTime at = DayAtMidnight(year, month, day, i - 1);
        GeocentricSample sample;
        if (int err = placeAt(LocalInstant(at, geocentric), geocentric, sample)) {
            failedDay = at;
            return err;
        }
        ra[i] = sample.ra, dec[i] = sample.dec;
        if (i == 1) distanceAu = sample.distanceAu;
    }
    places = {ra[0], dec[0], ra[1], dec[1], ra[2], dec[2]};
    return kEphemerisOk;
}

int RiseTransitSetOf(const GeocentricPlace& placeAt, int year, int month, int day, double h0,
                     const EphemerisSettings& settings, RiseTransitSetTimes& times, CalendarDateTime* failedDay) {
    ThreeDayPlaces places;
    double distanceAu = 0;
    CalendarDateTime failed;
    if (int err = PlacesOfThreeDays(placeAt, year, month, day, settings, places, distanceAu, failed)) {
        if (failedDay) *failedDay = failed;
        times = {};
        return err;
    }
    const double parallax = distanceAu > 0 ? std::asin(kEarthRadiusKm / (distanceAu * kKmPerAu)) * kRadToDeg : 0.0;
    RiseTransitSetMoving(year, month, day, 0, 0, 0, places, h0 + parallax, settings, times);
    return kEphemerisOk;
}

}  // namespace

double BodyStandardAltitude(int code) {
    if (code == kBodySun || code == kBodyEclipseSun) return kSunH0;
    if (code == kBodyMoon) return kMoonH0;
    return kPlanetStandardAltitude;
}

int BodyRiseTransitSet(int code, int year, int month, int day, double h0, const EphemerisSettings& settings,
                       RiseTransitSetTimes& times, CalendarDateTime* failedDay) {
    const GeocentricPlace placeAt = [code](const Instant& when, const EphemerisSettings& s, GeocentricSample& out) {
        BodyPosition p;
        const int err = ComputeBody(p, code, when, s);
        out = {p.rightAscension, p.declination, p.distance};
        return err;
    };
    return RiseTransitSetOf(placeAt, year, month, day, h0, settings, times, failedDay);
}

int MinorBodyRiseTransitSet(const MinorBodyElements& body, int year, int month, int day, double h0,
                            const EphemerisSettings& settings, RiseTransitSetTimes& times,
                            CalendarDateTime* failedDay) {
    const GeocentricPlace placeAt = [&body](const Instant& when, const EphemerisSettings& s, GeocentricSample& out) {
        MinorBodyPosition p;
        const int err = ComputeMinorBody(p, body, when, s);
        out = {p.raHours, p.decDeg, p.earthDistanceAu};
        return err;
    };
    return RiseTransitSetOf(placeAt, year, month, day, h0, settings, times, failedDay);
}

}  // namespace vsp
