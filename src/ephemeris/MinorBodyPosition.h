#pragma once
// Comets and minor planets as the observer sees them: two-body heliocentric places
// (KeplerOrbit.h) turned to the J2000 equator, made barycentric with the Sun's wobble
// (EarthBarycentric.h) and reduced like the planets (light time, deflection, aberration,
// precession, nutation; ChartModePlace.h). Magnitudes: minor planets by the H, G system
// (E. Bowell et al., in Asteroids II, Univ. of Arizona Press 1989, p. 524), comets by
// m = g + 5 log10(delta) + 2.5 k log10(r). Distances in AU, angles in degrees, times JD.
// Two-body places drift from the true ones as the observing time leaves the element epoch
// (perturbations by the planets; for main-belt asteroids typically some arcminutes a year),
// so every result carries the age of its elements. Measured in chart mode 0 against skyfield's
// orbits from the same elements reduced with ERFA: within 0.9" for every orbit class; against
// PyEphem bodies within 1" wherever PyEphem's own orbit keeps to skyfield's. Magnitudes within
// 0.005 of the formulas. The Earth, the Sun's wobble and the Earth's orientation are formed
// once per instant (per thread) and shared by every body computed for it: about 1.9 us a body
// in a scan of 1,000 on this machine (PyEphem 2.2 us in the same run).

#include <cstdint>

#include "ephemeris/ComputeBody.h"
#include "ephemeris/KeplerOrbit.h"

namespace vsp {

enum class MinorBodyKind : uint8_t { Comet = 1, MinorPlanet = 2 };

struct MinorBodyElements {
    MinorBodyKind kind = MinorBodyKind::MinorPlanet;
    OrbitalElements orbit;
    double absoluteMagnitude = 0.0;  // H (minor planets) or g (comets)
    double slope = 0.0;              // G (minor planets) or k (comets)
};

struct MinorBodyPosition {
    double raHours = 0.0, decDeg = 0.0;   // in the chart mode, as ComputeBody gives them
    double sunDistanceAu = 0.0;           // r, at the time the light left the body
    double earthDistanceAu = 0.0;         // delta (light-time distance)
    double magnitude = 0.0;
    double elongationDeg = 0.0, phaseDeg = 0.0;
    double motionArcsecPerHour = 0.0;     // on the sky, places one hour apart
    double motionAngleDeg = 0.0;          // position angle of that motion, N through E
    double tailAngleDeg = 0.0;            // position angle of the anti-solar direction
    double elementAgeDays = 0.0;          // observing TT - epoch (signed)
};

// Fills `out` (and `horizon`, when given, as ComputeBody does) for the settings' observer and
// chart mode. Returns 0; kEphemerisOutOfRange outside the Earth ephemeris; kEphemerisBadElements
// for elements that describe no orbit. On failure every output is zero.
int ComputeMinorBody(MinorBodyPosition& out, const MinorBodyElements& body, const Instant& when,
                     const EphemerisSettings& settings, BodyHorizon* horizon = nullptr);

// The magnitude from heliocentric distance r and Earth distance delta (AU) and the phase
// angle (degrees; minor planets only).
double MinorBodyMagnitude(const MinorBodyElements& body, double r, double delta, double phaseDeg);

// The magnitude alone, from geometric distances (no light time, no reduction): cheap enough
// for import filters and scans of a whole database. `earthHeliocentric` is the Earth's
// heliocentric J2000 ecliptic position at the instant (compute once per scan). NaN for
// elements that describe no orbit, so that no "brighter than" test keeps them.
double MinorBodyMagnitudeAt(const MinorBodyElements& body, double jdTt, const double earthHeliocentric[3]);

// The Earth's heliocentric position, J2000 ecliptic and equinox, AU, at the instant's TT.
void EarthHeliocentricEcliptic(const Instant& when, double position[3]);

}  // namespace vsp
