#include "ephemeris/QuickPlanet.h"

#include <cmath>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Time.h"
#include "ephemeris/tables/QuickPlanetElements.h"

namespace vsp {
namespace {
constexpr double kTurn = 6.283185308;
constexpr double kTurnsPerRadian = 0.15915494307111402;
constexpr double kJ2000Obliquity = 0.4089182868111674;
constexpr int kEarthRow = 2;

double EccentricAnomaly(double meanAnomaly, double e) {
    double ecc = meanAnomaly + e * std::sin(meanAnomaly);
    for (int step = 0; step < 50; ++step) {
        const double delta = (meanAnomaly - ecc + e * std::sin(ecc)) / (1.0 - e * std::cos(ecc));
        ecc += delta;
        if (std::fabs(delta) <= 1e-12) break;
    }
    return ecc;
}

int RowOfBody(int body) {
    if (body < kBodyMercury || body > kBodyPluto) return -1;
    // Body codes skip the Earth, which sits between Venus and Mars in the table.
    return body <= kBodyVenus ? body - kBodyMercury : body - kBodyMercury + 1;
}

// The elements at day d from J2000.0 (angles in degrees, unreduced).
struct QuickOrbit {
    double a, e, inclination, node, perihelion, meanLongitude;
};

// The day number of the instant's UT, 0 at J2000.0, from its calendar date and clock (whole
// seconds): the whole days exact, the fraction from the clock.
double QuickDayNumber(const Instant& when) {
    const CalendarDateTime ut = CalendarFromJulianDay(when.ut);
    const long y = ut.year, m = ut.month;
    const long whole = 367 * y - 7 * (y + (m + 9) / 12) / 4 + 275 * m / 9 + ut.day;
    const double utHours = ut.hour + ut.minute / 60.0 + ut.second / 3600.0;
    return double(whole) - 730531.5 + utHours / 24.0;
}

// row: 0 Mercury, 1 Venus, 2 Earth, 3 Mars, ... 8 Pluto (the table's order).
QuickOrbit QuickOrbitAt(int row, double d) {
    const QuickPlanetElements& q = kQuickPlanetElements[row];
    return {q.semiMajorAxis + q.semiMajorAxisRate * d, q.eccentricity + q.eccentricityRate * d,
            q.inclination + q.inclinationRate * d,     q.node + q.nodeRate * d,
            q.perihelion + q.perihelionRate * d,       q.meanLongitude + q.meanLongitudeRate * d};
}

// Heliocentric J2000 ecliptic rectangular coordinates, AU.
void QuickHeliocentric(int row, double d, double ecliptic[3]) {
    const QuickOrbit o = QuickOrbitAt(row, d);
    double meanAnomaly = (o.meanLongitude - o.perihelion) * kDegToRad;
    meanAnomaly -= std::floor(meanAnomaly * kTurnsPerRadian) * kTurn;
    const double ecc = EccentricAnomaly(meanAnomaly, o.e);
    const double trueAnomaly = 2.0 * std::atan2(std::sqrt(1.0 + o.e) * std::sin(ecc / 2.0),
                                                std::sqrt(1.0 - o.e) * std::cos(ecc / 2.0));
    const double r = o.a * (1.0 - o.e * std::cos(ecc));
    const double node = o.node * kDegToRad, inc = o.inclination * kDegToRad;
    const double u = trueAnomaly + (o.perihelion - o.node) * kDegToRad;  // argument of latitude
    ecliptic[0] = r * (std::cos(node) * std::cos(u) - std::sin(node) * std::sin(u) * std::cos(inc));
    ecliptic[1] = r * (std::sin(node) * std::cos(u) + std::cos(node) * std::sin(u) * std::cos(inc));
    ecliptic[2] = r * std::sin(u) * std::sin(inc);
}

}  // namespace

int QuickPlanet(int body, const Instant& when, QuickPlanetPlace& place) {
    place = QuickPlanetPlace{};
    const int row = RowOfBody(body);
    if (row < 0) return kEphemerisUnknownBody;
    const double d = QuickDayNumber(when);
    double planet[3], earth[3];
    QuickHeliocentric(row, d, planet);
    QuickHeliocentric(kEarthRow, d, earth);
    const double x = planet[0] - earth[0], ye = planet[1] - earth[1], ze = planet[2] - earth[2];
    const double ce = std::cos(kJ2000Obliquity), se = std::sin(kJ2000Obliquity);
    const double y = ye * ce - ze * se, z = ye * se + ze * ce;

    place.rightAscension = ReduceAngle(std::atan2(y, x) * kRadToDeg / 15.0, 24.0);
    place.declination = std::atan2(z, std::hypot(x, y)) * kRadToDeg;
    place.distance = std::sqrt(x * x + y * y + z * z);
    place.heliocentricDistance = std::sqrt(planet[0] * planet[0] + planet[1] * planet[1] + planet[2] * planet[2]);
    place.sunDistance = std::sqrt(earth[0] * earth[0] + earth[1] * earth[1] + earth[2] * earth[2]);
    return kEphemerisOk;
}

}  // namespace vsp
