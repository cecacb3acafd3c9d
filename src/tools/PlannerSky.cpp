#include "tools/PlannerSky.h"

#include <algorithm>
#include <cmath>

#include "chart/FixedTrig.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

constexpr double kJ2000 = 2451545.0;

// Hour angle in [-12 h, +12 h].
double HourAngle(const PlannerSky& sky, double raOfDate) {
    return ReduceAngleSigned(sky.localSiderealHours - raOfDate, 24.0);
}

}  // namespace

PlannerSky MakePlannerSky(const CalendarDateTime& local, const ObserverLocation& site) {
    PlannerSky sky;
    sky.jdUt = JulianDayLocal(local.year, local.month, local.day, local.hour, local.minute, local.second,
                              site.tzOffset);
    sky.localSiderealHours = LocalSiderealTime(local.year, local.month, local.day, local.hour, local.minute,
                                               local.second, site.longitudeWest, site.tzOffset);
    sky.latitudeDeg = site.latitude;
    sky.fromJ2000 = PrecessionMatrix(kJ2000, sky.jdUt);
    const SinCos24 latitude = FixedSinCos(DegreesToAngle24(site.latitude));
    sky.sinLatitude = latitude.sin;
    sky.cosLatitude = latitude.cos;
    return sky;
}

SkyPlace PlaceOfDate(const PlannerSky& sky, double raJ2000, double decJ2000) {
    SkyPlace place;
    VectorToRaDec(MatMulVec(sky.fromJ2000, RaDecToVector(raJ2000, decJ2000)), place.raHours, place.decDeg);
    return place;
}

SkyPlace PlaceOfJ2000(const PlannerSky& sky, double raOfDate, double decOfDate) {
    SkyPlace place;
    VectorToRaDec(MatMulVec(MatTranspose(sky.fromJ2000), RaDecToVector(raOfDate, decOfDate)), place.raHours,
                  place.decDeg);
    return place;
}

Unit24 SineOfAltitude(const PlannerSky& sky, double raJ2000, double decJ2000) {
    const SkyPlace place = PlaceOfDate(sky, raJ2000, decJ2000);
    const SinCos24 dec = FixedSinCos(DegreesToAngle24(place.decDeg));
    const SinCos24 hour = FixedSinCos(HoursToAngle24(HourAngle(sky, place.raHours)));
    return MultiplyUnit24(sky.sinLatitude, dec.sin) +
           MultiplyUnit24(MultiplyUnit24(sky.cosLatitude, dec.cos), hour.cos);
}

Unit24 SineOfThreshold(int degrees) { return FixedSinCos(DegreesToAngle24(degrees)).sin; }

double AltitudeDegrees(const PlannerSky& sky, double raJ2000, double decJ2000) {
    const SkyPlace place = PlaceOfDate(sky, raJ2000, decJ2000);
    const double lat = sky.latitudeDeg * kDegToRad, dec = place.decDeg * kDegToRad;
    const double h = HourAngle(sky, place.raHours) * 15.0 * kDegToRad;
    const double sine = std::sin(lat) * std::sin(dec) + std::cos(lat) * std::cos(dec) * std::cos(h);
    return std::asin(std::clamp(sine, -1.0, 1.0)) / kDegToRad;
}

}  // namespace vsp
