#include "ephemeris/LightCorrections.h"

#include <algorithm>
#include <cmath>

namespace vsp {

namespace {
constexpr double kTwoGmSun = 265424875999999983616.0;  // m^3/s^2, twice 1.32712438e20
constexpr double kSpeedOfLightSquared = 89875517869092496.0;  // m^2/s^2
constexpr double kMetresPerAu = 1.4959787e11;
// Keeps 1 + cos away from 0 and the formula finite when the body lies behind the Sun.
constexpr double kMaxCosine = 0.9999999999;

double ClampCosine(double c) { return std::clamp(c, -kMaxCosine, kMaxCosine); }
}  // namespace

LightTimeResult LightTime(const Vec3& body, const Vec3& observer) {
    LightTimeResult r;
    r.vector = body - observer;
    r.lightTime = Length(r.vector) * kLightDaysPerAu;
    return r;
}

Vec3 SunDeflection(const Vec3& body, const Vec3& observerFromSun) {
    const double bodyLength = Length(body);
    const double sunDistance = Length(observerFromSun);
    const Vec3 bodyFromSun = body + observerFromSun;
    const double bodySunDistance = Length(bodyFromSun);
    if (bodyLength == 0.0 || sunDistance == 0.0 || bodySunDistance == 0.0) return body;

    const Vec3 p = (1.0 / bodyLength) * body;            // observer to body
    const Vec3 e = (1.0 / sunDistance) * observerFromSun;  // Sun to observer
    const Vec3 q = (1.0 / bodySunDistance) * bodyFromSun;  // Sun to body
    const double pq = ClampCosine(Dot(p, q));
    const double ep = ClampCosine(Dot(e, p));
    const double qe = ClampCosine(Dot(q, e));
    const double g1 = kTwoGmSun / (kSpeedOfLightSquared * sunDistance * kMetresPerAu);
    const double g2 = 1.0 + qe;
    const Vec3 bent = p + (g1 / g2) * (pq * e - ep * q);
    return bodyLength * bent;
}

Vec3 Aberration(const Vec3& body, const Vec3& observerVelocity, double lightTime) {
    const double bodyLength = Length(body);
    const double speed = Length(observerVelocity);
    if (bodyLength == 0.0 || speed == 0.0) return body;
    if (lightTime == 0.0) lightTime = bodyLength * kLightDaysPerAu;

    const double beta = speed * kLightDaysPerAu;
    const double cosAngle = Dot(body, observerVelocity) / (bodyLength * speed);
    const double inverseGamma = std::sqrt(1.0 - beta * beta);
    const double p = beta * cosAngle;
    const double q = (1.0 + p / (1.0 + inverseGamma)) * lightTime;
    return (1.0 / (1.0 + p)) * (inverseGamma * body + q * observerVelocity);
}

}  // namespace vsp
