#include "format/BodyRiseSet.h"

#include <cmath>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"

namespace vsp {
namespace {

constexpr double kSunH0 = -0.833333;
constexpr double kMoonH0 = -0.833333;
constexpr double kPlanetH0 = -0.5667;

CalendarDateTime DayAtMidnight(int year, int month, int day, int days) {
    CalendarDateTime t = CalendarFromJulianDay(JulianDay(year, month, day) + days);
    t.hour = t.minute = t.second = 0;
    return t;
}

// The apparent geocentric places at 0h local of the day before, the day and the day after.
int BodyThreeDayPlaces(int code, int year, int month, int day, const EphemerisSettings& settings,
                       ThreeDayPlaces& places, double& distanceAu, CalendarDateTime& failedDay) {
    EphemerisSettings geocentric = settings;
    geocentric.chartMode = 0;
    double ra[3], dec[3];
    for (int i = 0; i < 3; ++i) {
        const CalendarDateTime at = DayAtMidnight(year, month, day, i - 1);
        BodyPosition record;
        if (int err = ComputeBody(record, code, LocalInstant(at, geocentric), geocentric)) {
            failedDay = at;
            return err;
        }
        ra[i] = record.rightAscension;
        dec[i] = record.declination;
        if (i == 1) distanceAu = record.distance;
    }
    places = {ra[0], dec[0], ra[1], dec[1], ra[2], dec[2]};
    return kEphemerisOk;
}

}  // namespace

double BodyStandardAltitude(int code) {
    if (code == kBodySun || code == kBodyEclipseSun) return kSunH0;
    if (code == kBodyMoon) return kMoonH0;
    return kPlanetH0;
}

int BodyRiseTransitSet(int code, int year, int month, int day, double h0, const EphemerisSettings& settings,
                       RiseTransitSetTimes& times, CalendarDateTime* failedDay) {
    ThreeDayPlaces places;
    double distanceAu = 0;
    CalendarDateTime failed;
    if (int err = BodyThreeDayPlaces(code, year, month, day, settings, places, distanceAu, failed)) {
        if (failedDay) *failedDay = failed;
        times = {};
        return err;
    }
    const double parallax = distanceAu > 0 ? std::asin(kEarthRadiusKm / (distanceAu * kKmPerAu)) * kRadToDeg : 0.0;
    RiseTransitSetMoving(year, month, day, 0, 0, 0, places, h0 + parallax, settings, times);
    return kEphemerisOk;
}

}  // namespace vsp
