// Transits: the separation from the body sampled each second of the pass (the body itself
// every 30 s, in between along the chord, which is within 0.1" of its path), each local
// minimum near the disc refined by Brent's minimiser on the exact directions, the edges of the
// disc by Brent's root finder, and the centre line from how the signed miss changes when the
// observer moves a kilometre north and a kilometre east.

#include "satellites/SatelliteTransits.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Instant.h"
#include "ephemeris/MoonPrecise.h"
#include "ephemeris/Spherical.h"
#include "satellites/Brent.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

constexpr double kScanStepS = 1.0;
constexpr double kBodyStepS = 30.0;
constexpr double kEdgeStepS = 0.5;
constexpr double kLongestCrossingS = 600.0;
constexpr double kMinimumTolerance = 1e-7;  // relative to seconds from the sample
constexpr double kEdgeToleranceS = 1e-4;
constexpr double kMoveKm = 1.0;
constexpr int kTopocentricMode = 2;  // topocentric, no refraction
constexpr double kBelowHorizonDeg = -1.0;

double Days(double seconds) { return seconds / kSecondsPerDay; }

// East, north, up.
Vec3 HorizonUnitVector(double altitudeDeg, double azimuthDeg) {
    const double alt = altitudeDeg * kDegToRad, az = azimuthDeg * kDegToRad;
    return {{std::cos(alt) * std::sin(az), std::cos(alt) * std::cos(az), std::sin(alt)}};
}

Vec3 Lerp(const Vec3& a, const Vec3& b, double f) { return a + f * (b - a); }

struct BodySky {
    Vec3 direction;
    double radiusDeg = 0.0;
    double altitudeDeg = 0.0;
};

// The Moon's distance from the site, from its geocentric distance and topocentric altitude
// (a spherical Earth: within 20 km, 0.05" of the radius).
double TopocentricDistanceAu(double geocentricAu, double altitudeDeg) {
    const double rho = kEarthRadiusKm / kKmPerAu, s = std::sin(altitudeDeg * kDegToRad);
    return std::sqrt(geocentricAu * geocentricAu - rho * rho * (1.0 - s * s)) - rho * s;
}

BodySky BodyAt(TransitBody body, double jdUt, const TransitSite& site) {
    EphemerisSettings settings = site.ephemeris;
    settings.chartMode = kTopocentricMode;
    BodyPosition record;
    BodyHorizon horizon;
    ComputeBody(record, body == TransitBody::Moon ? kBodyMoon : kBodySun, Instant::FromUt(jdUt, site.deltaTSeconds),
                settings, &horizon);
    const double diameterArcmin = body == TransitBody::Moon
                                      ? MoonDiameter(TopocentricDistanceAu(record.distance, horizon.altitude))
                                      : record.diameter;
    return {HorizonUnitVector(horizon.altitude, horizon.azimuth), diameterArcmin / 120.0, horizon.altitude};
}

TransitSite Moved(const TransitSite& site, double northKm, double eastKm) {
    constexpr double kKmPerDegree = kEarthRadiusKm * kDegToRad;
    TransitSite moved = site;
    ObserverLocation& place = moved.ephemeris.location;
    const double north = northKm / kKmPerDegree;
    const double east = eastKm / (kKmPerDegree * std::max(std::cos(place.latitude * kDegToRad), 1e-6));
    place.latitude += north;
    place.longitudeWest -= east;
    moved.observer.latitudeDeg += north;
    moved.observer.longitudeEastDeg += east;
    return moved;
}

// The satellite and the body seen from one site.
class TransitGeometry {
public:
    TransitGeometry(const SatelliteElements& elements, const TransitSite& site, TransitBody body)
        : elements_(elements), site_(site), body_(body) {}

    Vec3 Satellite(double jdUt) {
        ComputeSatelliteSgp4(jdUt, site_.observer, elements_);
        return HorizonUnitVector(elements_.elevationDeg, elements_.azimuthDeg);
    }
    BodySky Body(double jdUt) const { return BodyAt(body_, jdUt, site_); }
    double SeparationDeg(double jdUt) { return AngularSeparation(Satellite(jdUt), Body(jdUt).direction) * kRadToDeg; }

    // The closest approach near `jdUt`, sought within `halfWidthS` either side.
    BrentMinimum Closest(double jdUt, double halfWidthS) {
        const BrentMinimum m = BrentMinimise([&](double s) { return SeparationDeg(jdUt + Days(s)); }, -halfWidthS,
                                             halfWidthS, kMinimumTolerance);
        return {jdUt + Days(m.x), m.value};
    }

    // The separation at the closest approach near `jdUt`, negative when the satellite passes
    // on the right of the centre (seen along its motion): it changes linearly as the site moves.
    double SignedMissDeg(double jdUt) {
        const BrentMinimum closest = Closest(jdUt, 2.0);
        const Vec3 b = Body(closest.x).direction;
        const Vec3 s = Satellite(closest.x);
        const Vec3 motion = Satellite(closest.x + Days(0.5)) - Satellite(closest.x - Days(0.5));
        return Dot(Cross(b, s), motion) >= 0.0 ? closest.value : -closest.value;
    }

    // Seconds inside the disc of `radiusDeg` about the closest approach at `jdUt`.
    double SecondsInside(double jdUt, double radiusDeg) {
        auto outside = [&](double s) { return SeparationDeg(jdUt + Days(s)) - radiusDeg; };
        return Edge(outside, kEdgeStepS) - Edge(outside, -kEdgeStepS);
    }

private:
    static double Edge(const ScalarFunction& outside, double step) {
        double s = 0.0;
        while (outside(s + step) < 0.0) {
            s += step;
            if (std::fabs(s) > kLongestCrossingS) return s;
        }
        return BrentRoot(outside, s, s + step, kEdgeToleranceS);
    }

    SatelliteElements elements_;
    TransitSite site_;
    TransitBody body_;
};

double CentreLineKm(const SatelliteElements& elements, const TransitSite& site, TransitBody body, double jdUt,
                    double missDeg) {
    const double north = TransitGeometry(elements, Moved(site, kMoveKm, 0.0), body).SignedMissDeg(jdUt);
    const double east = TransitGeometry(elements, Moved(site, 0.0, kMoveKm), body).SignedMissDeg(jdUt);
    const double degreesPerKm = std::hypot(north - missDeg, east - missDeg) / kMoveKm;
    return degreesPerKm > 0.0 ? std::fabs(missDeg) / degreesPerKm : 0.0;
}

// The body every 30 s over the pass, for the scan.
std::vector<BodySky> BodySamples(const TransitGeometry& geometry, double riseJd, double setJd) {
    std::vector<BodySky> samples;
    for (double t = riseJd;; t += Days(kBodyStepS)) {
        samples.push_back(geometry.Body(t));
        if (t >= setJd) break;
    }
    return samples;
}

Vec3 BodyBetweenSamples(const std::vector<BodySky>& samples, double riseJd, double jdUt) {
    const double at = (jdUt - riseJd) * kSecondsPerDay / kBodyStepS;
    const size_t i = std::min(size_t(at), samples.size() - 2);
    return Lerp(samples[i].direction, samples[i + 1].direction, at - double(i));
}

}  // namespace

std::vector<TransitEvent> FindTransitsInPass(const SatelliteElements& elements, const TransitSite& site,
                                             TransitBody body, double riseJd, double setJd, double marginDeg) {
    std::vector<TransitEvent> events;
    TransitGeometry geometry(elements, site, body);
    const std::vector<BodySky> bodies = BodySamples(geometry, riseJd, setJd);
    if (bodies.size() < 2 || std::ranges::all_of(bodies, [](const BodySky& b) { return b.altitudeDeg < kBelowHorizonDeg; }))
        return events;
    const double reach = bodies.front().radiusDeg + marginDeg;
    const int steps = int(std::ceil((setJd - riseJd) * kSecondsPerDay / kScanStepS));
    std::vector<Vec3> track(size_t(steps) + 1);
    std::vector<double> separation(track.size());
    for (int i = 0; i <= steps; ++i) {
        const double t = std::min(riseJd + Days(i * kScanStepS), setJd);
        track[size_t(i)] = geometry.Satellite(t);
        separation[size_t(i)] = AngularSeparation(track[size_t(i)], BodyBetweenSamples(bodies, riseJd, t)) * kRadToDeg;
    }
    for (size_t i = 1; i + 1 < track.size(); ++i) {
        const double stepDeg = AngularSeparation(track[i - 1], track[i + 1]) * kRadToDeg;
        if (separation[i] > separation[i - 1] || separation[i] >= separation[i + 1] || separation[i] > reach + stepDeg)
            continue;
        const BrentMinimum closest = geometry.Closest(riseJd + Days(double(i) * kScanStepS), kScanStepS);
        const BodySky sky = geometry.Body(closest.x);
        if (closest.value > sky.radiusDeg + marginDeg || sky.altitudeDeg < 0.0) continue;
        TransitEvent event;
        event.body = body;
        event.jdUt = closest.x;
        event.separationDeg = closest.value;
        event.bodyRadiusDeg = sky.radiusDeg;
        event.bodyAltitudeDeg = sky.altitudeDeg;
        event.near = closest.value > sky.radiusDeg;
        event.durationS = event.near ? 0.0 : geometry.SecondsInside(closest.x, sky.radiusDeg);
        event.centreLineKm = CentreLineKm(elements, site, body, closest.x, geometry.SignedMissDeg(closest.x));
        events.push_back(event);
    }
    return events;
}

}  // namespace vsp
