#include "scope/ScopeMoment.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"

namespace vsp {

double LocalSiderealHours(const ScopeMoment& moment) {
    const CalendarDateTime& t = moment.local;
    const ObserverLocation& site = moment.settings.location;
    return LocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second, site.longitudeWest, site.tzOffset);
}

double JulianDayOf(const ScopeMoment& moment) {
    const CalendarDateTime& t = moment.local;
    return JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second, moment.settings.location.tzOffset);
}

HorizontalPlace HorizontalOf(const ScopeMoment& moment, const EquatorialPosition& place) {
    const double lst = LocalSiderealHours(moment), latitude = moment.settings.location.latitude;
    return {Azimuth(lst, place.raHours, place.decDegrees, latitude),
            Altitude(lst, place.raHours, place.decDegrees, latitude)};
}

EquatorialPosition EquatorialOf(const ScopeMoment& moment, const HorizontalPlace& place) {
    const double phi = moment.settings.location.latitude * kDegToRad;
    const double a = place.azimuth * kDegToRad, h = place.altitude * kDegToRad;
    const double sinDec = std::sin(phi) * std::sin(h) + std::cos(phi) * std::cos(h) * std::cos(a);
    // Hour angle measured westward from the meridian.
    const double hourAngle = std::atan2(-std::sin(a) * std::cos(h),
                                        std::cos(phi) * std::sin(h) - std::sin(phi) * std::cos(h) * std::cos(a));
    const double ra = ReduceAngle(LocalSiderealHours(moment) - hourAngle / kDegToRad / 15.0, 24.0);
    return {ra, std::asin(std::clamp(sinDec, -1.0, 1.0)) / kDegToRad};
}

}  // namespace vsp
