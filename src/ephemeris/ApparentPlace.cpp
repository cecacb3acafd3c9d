#include "ephemeris/ApparentPlace.h"

#include <cmath>

#include "ephemeris/LightCorrections.h"
#include "ephemeris/Precession.h"
#include "ephemeris/Spherical.h"

namespace vsp {

namespace {

constexpr double kLightTimeTolerance = 1e-8;  // days
constexpr int kMaxLightTimeSteps = 50;        // converges in a few; a guard only

int Reduce(const Instant& when, const Vec3& observer, const Vec3& observerVelocity,
           const BarycentricEphemeris& body, EarthOrientationCache& cache, ApparentPlace& out) {
    const double jde = when.tt;
    Vec3 position, velocity;
    if (int err = body(when, position.data(), velocity.data())) return err;
    LightTimeResult geometric = LightTime(position, observer);
    const double trueDistance = Length(geometric.vector);

    LightTimeResult seen = geometric;
    for (int i = 0; i < kMaxLightTimeSteps; ++i) {
        if (int err = body(when.Later(-seen.lightTime), position.data(), velocity.data())) return err;
        const LightTimeResult next = LightTime(position, observer);
        const bool settled = std::fabs(next.lightTime - seen.lightTime) <= kLightTimeTolerance;
        seen = next;
        if (settled) break;
    }

    // The barycentric observer stands for the heliocentric one: the Sun stays within 0.01 AU
    // of the barycentre, far below what the deflection can show.
    const Vec3 deflected = SunDeflection(seen.vector, observer);
    const Vec3 aberrated = Aberration(deflected, observerVelocity, seen.lightTime);
    const Vec3 ofDate = Nutate(jde, NutationDirection::kMeanToTrue,
                               Precess(kJ2000Jd, aberrated, jde), cache);
    VectorToRaDec(ofDate, out.raHours, out.decDeg);
    out.trueDistance = trueDistance;
    out.lightDistance = seen.lightTime * kSpeedOfLightAuPerDay;
    return 0;
}

int Finish(int err, ApparentPlace& out) {
    if (err) out = ApparentPlace{};
    return err;
}

}  // namespace

int ApparentPlaceGeocentric(const Instant& when, const BarycentricEphemeris& body,
                            const BarycentricEphemeris& earth, EarthOrientationCache& cache,
                            ApparentPlace& out) {
    Vec3 earthPosition, earthVelocity;
    int err = earth(when, earthPosition.data(), earthVelocity.data());
    if (!err) err = Reduce(when, earthPosition, earthVelocity, body, cache, out);
    return Finish(err, out);
}

int ApparentPlaceTopocentric(const Instant& when, const ObserverPlace& place,
                             const BarycentricEphemeris& body, const BarycentricEphemeris& earth,
                             EarthOrientationCache& cache, ApparentPlace& out) {
    const double jde = when.tt;
    Vec3 earthPosition, earthVelocity;
    int err = earth(when, earthPosition.data(), earthVelocity.data());
    if (!err) {
        const EarthTiltValues& tilt = EarthTilt(jde, cache);
        const double gast = SiderealTimeApparent(when.ut, 0.0, tilt.equationOfEquinoxes);
        const ObserverState site = ObserverVector(place, gast);
        auto toJ2000 = [&](const Vec3& v) {
            return Precess(jde, Nutate(jde, NutationDirection::kTrueToMean, v, cache), kJ2000Jd);
        };
        err = Reduce(when, earthPosition + toJ2000(site.position),
                     earthVelocity + toJ2000(site.velocity), body, cache, out);
    }
    return Finish(err, out);
}

}  // namespace vsp
