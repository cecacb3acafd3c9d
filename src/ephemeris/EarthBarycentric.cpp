#include "ephemeris/EarthBarycentric.h"

#include <cmath>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/Constants.h"
#include "ephemeris/PlanetHeliocentric.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/tables/BretagnonSimonSun.h"

namespace vsp {
namespace {

constexpr double kCosJ2000Obliquity = 0.9174820620691818;
constexpr double kSinJ2000Obliquity = 0.3977771559319137;
constexpr double kDifferenceStep = 0.1;  // days

struct GiantPlanet {
    double reciprocalMass;  // Sun's mass over the planet's
    double distance;        // AU
    double longitudeJ2000;  // mean longitude at J2000, radians
};

constexpr GiantPlanet kGiants[] = {
    {1047.349, 5.203363, 0.600470},   // Jupiter
    {3497.898, 9.537070, 0.871693},   // Saturn
    {22903.0, 19.191264, 5.466933},   // Uranus
    {19412.2, 30.068963, 5.321160},   // Neptune
};

double MeanMotion(const GiantPlanet& p) {  // radians per day
    return kGaussianConstant * std::sqrt((1.0 + 1.0 / p.reciprocalMass) / (p.distance * p.distance * p.distance));
}

// Geocentric Sun, mean equator and equinox of date, from the solar series.
Vec3 SunOfDate(double jde) {
    const double u = (jde - kJ2000Jd) / (10.0 * kDaysPerJulianMillennium);
    double sumL = 0.0, sumR = 0.0;
    for (const SolarSeriesTerm& term : kBretagnonSimonSunTerms) {
        const double arg = term.alpha + term.nu * u;
        sumL += term.l * std::sin(arg);
        sumR += term.r * std::cos(arg);
    }
    const double longitude = ReduceAngle(4.9353929 + 62833.196168 * u + 1e-7 * sumL, kTwoPi);
    const double distance = 1.0001026 + 1e-7 * sumR;
    const double t = 100.0 * u;
    const double obliquity = MeanObliquityArcsec(t) * kArcsecToRad;
    const double sl = std::sin(longitude);
    return {{distance * std::cos(longitude), distance * sl * std::cos(obliquity),
             distance * sl * std::sin(obliquity)}};
}

void EarthHeliocentricAt(double jde, double position[3]) {
    const Vec3 sunJ2000 = Precess(jde, SunOfDate(jde), kJ2000Jd);
    for (int i = 0; i < 3; ++i) position[i] = -sunJ2000[i];
}

void SunBarycentricAt(double jde, double position[3], double velocity[3]) {
    // Barycentre about the Sun = sum of m_i r_i over the total mass; the Sun is opposite.
    double totalMass = 1.0;
    for (const GiantPlanet& p : kGiants) totalMass += 1.0 / p.reciprocalMass;
    double ecl[3] = {0.0, 0.0, 0.0}, eclVelocity[3] = {0.0, 0.0, 0.0};
    for (const GiantPlanet& p : kGiants) {
        const double n = MeanMotion(p);
        const double longitude = ReduceAngle(p.longitudeJ2000 + n * (jde - kJ2000Jd), kTwoPi);
        const double weight = 1.0 / (p.reciprocalMass * totalMass);
        ecl[0] -= weight * p.distance * std::cos(longitude);
        ecl[1] -= weight * p.distance * std::sin(longitude);
        eclVelocity[0] += weight * p.distance * n * std::sin(longitude);
        eclVelocity[1] -= weight * p.distance * n * std::cos(longitude);
    }
    // The orbits lie in the J2000 ecliptic (z = 0 there).
    position[0] = ecl[0];
    position[1] = ecl[1] * kCosJ2000Obliquity;
    position[2] = ecl[1] * kSinJ2000Obliquity;
    velocity[0] = eclVelocity[0];
    velocity[1] = eclVelocity[1] * kCosJ2000Obliquity;
    velocity[2] = eclVelocity[1] * kSinJ2000Obliquity;
}

Vec3 EarthBarycentricPosition(double jde) {
    double earth[3], sun[3], sunVelocity[3];
    EarthHeliocentricAt(jde, earth);
    SunBarycentricAt(jde, sun, sunVelocity);
    return {{earth[0] + sun[0], earth[1] + sun[1], earth[2] + sun[2]}};
}

}  // namespace

bool IsInEarthEphemerisRange(const Instant& when) {
    return when.tt >= kEarthEphemerisFirstJde && when.tt <= kEarthEphemerisLastJde;
}

void EarthHeliocentric(const Instant& when, double position[3]) { EarthHeliocentricAt(when.tt, position); }

void SunBarycentric(const Instant& when, double position[3], double velocity[3]) {
    SunBarycentricAt(when.tt, position, velocity);
}

int EarthBarycentric(const Instant& when, double position[3], double velocity[3]) {
    for (int i = 0; i < 3; ++i) position[i] = velocity[i] = 0.0;
    if (!IsInEarthEphemerisRange(when)) return kEphemerisOutOfRange;
    const double jde = when.tt;
    const Vec3 here = EarthBarycentricPosition(jde);
    const Vec3 before = EarthBarycentricPosition(jde - kDifferenceStep);
    const Vec3 after = EarthBarycentricPosition(jde + kDifferenceStep);
    for (int i = 0; i < 3; ++i) {
        position[i] = here[i];
        velocity[i] = (after[i] - before[i]) / (2.0 * kDifferenceStep);
    }
    return kEphemerisOk;
}

int PlanetBarycentric(const Instant& when, int planet, double position[3], double velocity[3]) {
    const int status = PlanetHeliocentric(when, planet, position, velocity);
    if (status != kEphemerisOk) return status;
    double sun[3], sunVelocity[3];
    SunBarycentricAt(when.tt, sun, sunVelocity);
    for (int i = 0; i < 3; ++i) {
        position[i] += sun[i];
        velocity[i] += sunVelocity[i];
    }
    return kEphemerisOk;
}

}  // namespace vsp
