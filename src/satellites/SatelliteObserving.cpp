// What the observer sees of the propagated satellite: the observer on the WGS-72 ellipsoid
// turning with the Earth, look angles in the south-east-zenith frame, topocentric right
// ascension and declination, the sub-satellite point; and the model chosen by the elements' age
// and the "Deep-space orbits" setting.

#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

using namespace sat;

constexpr double kSgpWindowDays = 5.0;
constexpr double kSiderealRadPerSecond = 7.27220521664304e-5;

struct ObserverState {
    Vec3 position, velocity;  // km, km/s
    double sinLat, cosLat, sinTheta, cosTheta;
};

ObserverState LocateObserver(const SatelliteObserver& observer, double heightKm, double siderealAngle) {
    ObserverState o;
    const double lat = observer.latitudeDeg * kDegToRad;
    const double theta = siderealAngle + observer.longitudeEastDeg * kDegToRad;
    o.sinLat = std::sin(lat), o.cosLat = std::cos(lat);
    o.sinTheta = std::sin(theta), o.cosTheta = std::cos(theta);
    const double c = 1.0 / std::sqrt(1.0 - kEarthEccentricitySquared * o.sinLat * o.sinLat);
    const double across = (sat::kEarthRadiusKm * c + heightKm) * o.cosLat;
    o.position = {{across * o.cosTheta, across * o.sinTheta,
                   (sat::kEarthRadiusKm * c * (1.0 - kEarthEccentricitySquared) + heightKm) * o.sinLat}};
    o.velocity = {{-kEarthRotationRadPerSecond * o.position[1], kEarthRotationRadPerSecond * o.position[0], 0.0}};
    return o;
}

Vec3 AsVec3(const SatelliteVector& v) { return {{v.x, v.y, v.z}}; }

// Azimuth, elevation, range and range rate; the topocentric vector is returned for the
// equatorial place, which only the full observation goes on to.
Vec3 SetLookAngles(const ObserverState& o, SatelliteElements& e) {
    const Vec3 range = AsVec3(e.position) - o.position;
    const Vec3 rate = AsVec3(e.velocity) - o.velocity;
    const double distance = Length(range);
    const double south = o.sinLat * o.cosTheta * range[0] + o.sinLat * o.sinTheta * range[1] - o.cosLat * range[2];
    const double east = -o.sinTheta * range[0] + o.cosTheta * range[1];
    const double zenith = o.cosLat * o.cosTheta * range[0] + o.cosLat * o.sinTheta * range[1] + o.sinLat * range[2];
    double azimuth = std::atan(-east / south);
    if (south > 0.0) azimuth += std::numbers::pi;
    e.azimuthDeg = ReduceAngle(azimuth * kRadToDeg + 360.0, 360.0);
    e.elevationDeg = std::asin(zenith / distance) * kRadToDeg;
    e.rangeKm = distance;
    e.rangeRateKmS = Dot(range, rate) / distance;
    return range;
}

void SetTopocentricPlace(const Vec3& range, SatelliteElements& e) {
    e.raHours = ReduceAngle(std::atan2(range[1], range[0]), kTwoPi) / kHoursToRad;
    e.decDeg = std::asin(range[2] / e.rangeKm) * kRadToDeg;
}

void SetSubSatellitePoint(double siderealAngle, SatelliteElements& e) {
    const SatelliteVector& p = e.position;
    const double longitude = ReduceAngleSigned(std::atan2(p.y, p.x) - siderealAngle, kTwoPi);
    const double across = std::hypot(p.x, p.y);
    double latitude = std::atan2(p.z, across);
    double c = 1.0;
    for (int i = 0; i < 20; ++i) {
        const double previous = latitude;
        const double s = std::sin(previous);
        c = 1.0 / std::sqrt(1.0 - kEarthEccentricitySquared * s * s);
        latitude = std::atan2(p.z + sat::kEarthRadiusKm * c * kEarthEccentricitySquared * s, across);
        if (std::fabs(latitude - previous) < 1.0e-10) break;
    }
    e.subLatitudeDeg = latitude * kRadToDeg;
    e.subLongitudeDeg = longitude * kRadToDeg;
    e.heightKm = across / std::cos(latitude) - sat::kEarthRadiusKm * c;
}

// The searches' steps read the look angles only; the equatorial place and the sub-satellite
// point (its iteration the dearest part) are left to the full observation.
enum class Observed { LookAngles, Everything };

void Observe(double jdUt, const SatelliteObserver& observer, double observerHeightKm, Observed what,
             SatelliteElements& e) {
    const double theta = SiderealAngle(jdUt);
    const Vec3 range = SetLookAngles(LocateObserver(observer, observerHeightKm, theta), e);
    if (what == Observed::LookAngles) return;
    SetTopocentricPlace(range, e);
    SetSubSatellitePoint(theta, e);
}

double MinutesSinceEpoch(double jdUt, const SatelliteElements& e) {
    return (jdUt - e.epochJd) * kMinutesPerDay;
}

}  // namespace

double SiderealAngle(double jdUt) {
    const double ut = ReduceAngle(jdUt + 0.5, 1.0);
    const double t = (jdUt - ut - kJ2000Jd) / kDaysPerJulianCentury;
    const double seconds = 24110.54841 + t * (8640184.812866 + t * (0.093104 - t * 6.2e-6)) + 86636.555366976 * ut;
    return ReduceAngle(seconds, 86400.0) * kSiderealRadPerSecond;
}

ObserverPlace PlaceObserver(double jdUt, const SatelliteObserver& observer) {
    const ObserverState o = LocateObserver(observer, observer.heightKm, SiderealAngle(jdUt));
    return {o.position, {{o.cosLat * o.cosTheta, o.cosLat * o.sinTheta, o.sinLat}}};
}

void PropagateByAge(SatelliteElements& e, double minutes) {
    if (std::fabs(minutes) < kSgpWindowDays * kMinutesPerDay) {
        PropagateSgp(e, minutes);
    } else {
        PropagateSgp4(e, minutes);
    }
}

void Propagate(SatelliteElements& e, double minutes, NearEarthRule rule, DeepSpaceOrbits deepSpaceOrbits) {
    if (e.deepSpace && deepSpaceOrbits == DeepSpaceOrbits::Sdp4) {
        PropagateSdp4(e, minutes);
    } else if (rule == NearEarthRule::Sgp) {
        PropagateSgp(e, minutes);
    } else if (rule == NearEarthRule::Sgp4) {
        PropagateSgp4(e, minutes);
    } else {
        PropagateByAge(e, minutes);
    }
}

bool DeepSpaceByNearEarthFormulas(const SatelliteElements& e) { return e.deepSpace && e.model != SatelliteModel::Sdp4; }

void ComputeSatellite(double jdUt, const SatelliteObserver& observer, SatelliteElements& e) {
    Propagate(e, MinutesSinceEpoch(jdUt, e), NearEarthRule::ByAge, observer.deepSpaceOrbits);
    Observe(jdUt, observer, 0.0, Observed::Everything, e);
}

void ComputeSatelliteQuick(double jdUt, const SatelliteObserver& observer, SatelliteElements& e) {
    Propagate(e, MinutesSinceEpoch(jdUt, e), NearEarthRule::Sgp, observer.deepSpaceOrbits);
    Observe(jdUt, observer, observer.heightKm, Observed::LookAngles, e);
}

void ComputeSatelliteSgp4(double jdUt, const SatelliteObserver& observer, SatelliteElements& e) {
    Propagate(e, MinutesSinceEpoch(jdUt, e), NearEarthRule::Sgp4, observer.deepSpaceOrbits);
    Observe(jdUt, observer, observer.heightKm, Observed::Everything, e);
}

void ComputeSatelliteVisibility(double jdUt, double deltaTSeconds, const SatelliteObserver& observer,
                                SatelliteElements& e) {
    ComputeSatelliteSgp4(jdUt, observer, e);
    const SatelliteShadow shadow = IsEclipsed(AsVec3(e.position), SunPosition(jdUt, deltaTSeconds));
    e.eclipsed = shadow.eclipsed;
    e.eclipseDepth = shadow.depth;
}

}  // namespace vsp
