#include "tools/PlannerSky.h"

#include "chart/FixedTrig.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

}  // namespace

PlannerSky MakePlannerSky(const CalendarDateTime& local, const ObserverLocation& site) {
    PlannerSky sky;
    sky.jdUt = JulianDayLocal(local.year, local.month, local.day, local.hour, local.minute, local.second,
                              site.tzOffset);
    sky.localSiderealHours = LocalSiderealTime(local.year, local.month, local.day, local.hour, local.minute,
                                               local.second, site.longitudeWest, site.tzOffset);
    sky.latitudeDeg = site.latitude;
    sky.fromJ2000 = PrecessionMatrix(kJ2000Jd, sky.jdUt);
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
    const double hourAngle = ReduceAngleSigned(sky.localSiderealHours - place.raHours, 24.0);  // [-12 h, 12 h]
    const SinCos24 hour = FixedSinCos(HoursToAngle24(hourAngle));
    return MultiplyUnit24(sky.sinLatitude, dec.sin) +
           MultiplyUnit24(MultiplyUnit24(sky.cosLatitude, dec.cos), hour.cos);
}

Unit24 SineOfThreshold(int degrees) { return FixedSinCos(DegreesToAngle24(degrees)).sin; }

double AltitudeDegrees(const PlannerSky& sky, double raJ2000, double decJ2000) {
    const SkyPlace place = PlaceOfDate(sky, raJ2000, decJ2000);
    return Altitude(sky.localSiderealHours, place.raHours, place.decDeg, sky.latitudeDeg);
}

}  // namespace vsp
