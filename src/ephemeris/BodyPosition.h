#pragma once
// The body codes every screen shares, the record one body's computation fills, and the error
// codes of the body ephemerides.

#include <algorithm>
#include <cmath>
#include <string>

#include "ephemeris/Constants.h"

namespace vsp {

enum BodyCode : int {
    kBodySun = 0,
    kBodyMoon = 1,
    kBodyMercury = 2,
    kBodyVenus = 3,
    kBodyMars = 4,
    kBodyJupiter = 5,
    kBodySaturn = 6,
    kBodyUranus = 7,
    kBodyNeptune = 8,
    kBodyPluto = 9,
    kBodyEarth = 10,
    kBodyEclipseSun = 13,  // the Sun as the eclipse screens compute it beside the Moon
};

// Results of the body ephemerides: 0 is success, anything else a failure with zeroed outputs.
inline constexpr int kEphemerisOk = 0;
inline constexpr int kEphemerisOutOfRange = 1;    // JDE outside the Earth ephemeris
inline constexpr int kEphemerisUnknownBody = 2;   // no such body code or planet number
inline constexpr int kEphemerisBadElements = 3;   // orbital elements that describe no orbit

// One body as seen by the observer. Every field is a double; a failed computation leaves all
// of them 0.
struct BodyPosition {
    double rightAscension = 0.0;      // hours, [0, 24)
    double declination = 0.0;         // degrees
    double distance = 0.0;            // from the observer, AU (planets: light-time distance)
    double phaseFraction = 0.0;       // illuminated fraction from the phase angle; 1 for the Sun
    double magnitude = 0.0;           // visual
    double illuminatedFraction = 0.0; // k, 0..1
    double diameter = 0.0;            // apparent diameter, arcminutes
    double displayConstant = 0.0;     // 3.0 Sun and Moon, 0.1 Pluto; read by the chart
    double elongation = 0.0;          // from the Sun, degrees
    double eclipticLongitude = 0.0;   // geocentric, degrees [0, 360)
    double eclipticLatitude = 0.0;    // geocentric, degrees
};

// Lower-case English name of a body code ("sun", "mercury", ...; 13 is "sun" too); "" for
// codes without one.
const char* BodyName(int code);
// The same with a capital, as screens and chart labels show it ("Sun", "Mercury").
std::string BodyTitleName(int code);

// The phase angle, degrees, of a lit fraction k = (1 + cos i) / 2.
inline double PhaseAngleFromLitFraction(double k) {
    return std::acos(std::clamp(2.0 * k - 1.0, -1.0, 1.0)) * kRadToDeg;
}

}  // namespace vsp
