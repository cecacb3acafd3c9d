#pragma once
// Brightness and phase of the Moon, the planets and Pluto (Astronomical Almanac formulae in
// Meeus's form, chapter 41), and the brightening by Saturn's rings.

namespace vsp {

struct PlanetPhase {
    double magnitude = 0.0;
    double illuminatedFraction = 0.0;  // k, 0..1
    double elongation = 0.0;           // degrees, 0..180
    double phaseAngle = 0.0;           // degrees, 0..180
};

// body: a body code 1..9. delta: observer-body, sunDistance: observer-Sun (R), radius:
// Sun-body (r), all AU. Codes without a magnitude formula (the Sun, the Earth, others) still
// get elongation and phase, with magnitude 0, and return kEphemerisUnknownBody.
int PlanetMagnitude(int body, double delta, double sunDistance, double radius, PlanetPhase& phase);

// Day number of Saturn's ring formula: 0 at 1999 Dec 31 0h, with the time as a fraction of day.
double SaturnRingDayNumber(int year, int month, int day, int hour, int minute, int second);
// Saturnicentric latitude of the Earth over the ring plane, radians, from the day number and
// Saturn's geocentric ecliptic longitude and latitude in degrees.
double SaturnRingTilt(double dayNumber, double longitude, double latitude);
// The rings' share of Saturn's magnitude at ring tilt B (radians): -2.6 sin|B| + 1.2 sin^2 B.
double SaturnRingMagnitude(double tilt);

}  // namespace vsp
