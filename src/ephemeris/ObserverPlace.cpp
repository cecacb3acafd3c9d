#include "ephemeris/ObserverPlace.h"

#include <cmath>

#include "ephemeris/Constants.h"

namespace vsp {

namespace {
constexpr double kEarthRotation = 7.292115e-5;  // rad/s
}  // namespace

ObserverPlace ObserverPlaceFromLocation(const ObserverLocation& location) {
    ObserverPlace p;
    p.latitude = location.latitude;
    p.longitude = -location.longitudeWest;
    p.height = location.height;
    p.temperature = location.temperature;
    p.pressure = location.pressure;
    return p;
}

ObserverState ObserverVector(const ObserverPlace& place, double gastHours) {
    const double phi = place.latitude * kDegToRad;
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double ratio2 = kEarthPolarRatio * kEarthPolarRatio;
    const double c = 1.0 / std::sqrt(cosPhi * cosPhi + ratio2 * sinPhi * sinPhi);
    const double s = ratio2 * c;
    const double heightKm = place.height / 1000.0;
    const double ach = kEarthRadiusKm * c + heightKm;
    const double ash = kEarthRadiusKm * s + heightKm;
    const double theta = (gastHours * 15.0 + place.longitude) * kDegToRad;
    const double cosTheta = std::cos(theta), sinTheta = std::sin(theta);
    ObserverState st;
    st.position = (1.0 / kKmPerAu) * Vec3{{ach * cosPhi * cosTheta, ach * cosPhi * sinTheta,
                                            ash * sinPhi}};
    const double w = kEarthRotation * 86400.0 / kKmPerAu;
    st.velocity = w * Vec3{{-ach * cosPhi * sinTheta, ach * cosPhi * cosTheta, 0.0}};
    return st;
}

}  // namespace vsp
