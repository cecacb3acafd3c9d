#pragma once
// Planets from J2000 mean elements with linear rates (Explanatory Supplement, 1992): many
// positions cheaply, for tables and searches. J2000 ecliptic and equator.

namespace vsp {

struct QuickPlanetPlace {
    double rightAscension = 0.0;        // hours, [0, 24)
    double declination = 0.0;           // degrees
    double distance = 0.0;              // from the Earth, AU
    double heliocentricDistance = 0.0;  // AU
    double sunDistance = 0.0;           // Earth-Sun, AU
};

// The elements at day d from J2000.0 (angles in degrees, unreduced).
struct QuickOrbit {
    double a, e, inclination, node, perihelion, meanLongitude;
};

// Day number of a UT date: 0 at J2000.0 (JD 2451545.0 UT).
double QuickDayNumber(int year, int month, int day, double utHours);
// row: 0 Mercury, 1 Venus, 2 Earth, 3 Mars, ... 8 Pluto (the table's order).
QuickOrbit QuickOrbitAt(int row, double d);
// Heliocentric J2000 ecliptic rectangular coordinates, AU.
void QuickHeliocentric(int row, double d, double ecliptic[3]);

// body: a body code 2..9 (Mercury to Pluto). Returns 0, or kEphemerisUnknownBody with the
// place zeroed.
int QuickPlanet(int body, int year, int month, int day, double utHours, QuickPlanetPlace& place);

}  // namespace vsp
