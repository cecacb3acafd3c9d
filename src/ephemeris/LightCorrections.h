#pragma once
// What happens to light on its way to the observer: its travel time, its bending by the Sun's
// gravity and the aberration of the observer's motion (the vector formulae of G. H. Kaplan et
// al., AJ 97, 1197 (1989), as in USNO Circular 179 / NOVAS). Positions in AU, velocities in
// AU/day, times in days. Measured against ERFA ld and ab: below 1 mas.

#include "ephemeris/Vec3.h"

namespace vsp {

inline constexpr double kSpeedOfLightAuPerDay = 173.14463348;
inline constexpr double kLightDaysPerAu = 0.005775518304559583;

// The vector from the observer to the body and its light time.
struct LightTimeResult {
    Vec3 vector;
    double lightTime = 0.0;
};
LightTimeResult LightTime(const Vec3& body, const Vec3& observer);

// The direction `body` (from the observer) bent by the Sun's field as the observer sees it;
// `observerFromSun` is the observer's position about the Sun. The length is kept.
Vec3 SunDeflection(const Vec3& body, const Vec3& observerFromSun);

// The direction `body` (from the observer) displaced by the observer's barycentric velocity,
// relativistically. lightTime 0 takes it from the vector's length.
Vec3 Aberration(const Vec3& body, const Vec3& observerVelocity, double lightTime);

}  // namespace vsp
