#pragma once
// Io, Europa, Ganymede and Callisto about Jupiter's disc: the higher-accuracy theory of Meeus,
// Astronomical Algorithms (2nd ed., chapter 44; its periodic terms in tables/GalileanTerms.h),
// with Jupiter and the Earth from the Simon 1994 theory.
//
// Light time: Jupiter is taken where it was one light time before the instant, and each moon
// one more light time across its own distance before or beyond the planet. The view from the
// Sun (shadows, eclipses) is of the same moment at Jupiter. The directions are the mean
// equator and equinox of date, without aberration or nutation (both shift the whole system
// together, by well under 0.001 radii across it).
//
// Units are Jupiter's equatorial radius, 71492 km. Offsets follow PyEphem's x (positive toward
// the east limb of the sky) and its y with the sign turned, so that y is positive toward
// celestial north (PyEphem's y is positive to the south). The disc is an ellipse of polar
// radius 0.935 seen at the planet's tilt; a moon counts as in front of, behind or in the shadow
// of it by its centre, and Jupiter's shadow is the cylinder of a point Sun.
// Measured (tests/ephemeris/GalileanMoonsTest.cpp, 40 instants 1980-2048): within 0.013 radii of
// astronomy-engine's moons (Lainey's L1.2) over 2000-2030 and 0.027 by 2048 (Callisto along
// its orbit); PyEphem's libastro moons part from both by up to 0.10 radii over 2000-2030.

#include <array>

#include "ephemeris/Instant.h"
#include "ephemeris/Vec3.h"

namespace vsp {

inline constexpr int kGalileanMoonCount = 4;
inline constexpr double kJupiterEquatorialRadiusKm = 71492.0;
inline constexpr double kJupiterPolarRatio = 0.935;  // polar / equatorial radius of the disc

// "Io", "Europa", "Ganymede", "Callisto" for 0..3; "" otherwise.
const char* GalileanMoonName(int moon);

struct GalileanMoonPlace {
    double x = 0.0, y = 0.0;  // on the sky from Jupiter's centre, radii: east, north
    double z = 0.0;           // along the line of sight, radii, positive beyond Jupiter
    bool inFront = false;     // nearer to the Earth than Jupiter's centre
    bool transiting = false;  // in front of the disc
    bool occulted = false;    // behind the disc
    bool eclipsed = false;    // in Jupiter's shadow
    bool shadowOnDisc = false;  // its shadow falls on the disc (it is in front of it from the Sun)
    // Where its shadow falls on the planet, as seen from the Earth (radii, east and north);
    // meaningful while shadowOnDisc.
    double shadowX = 0.0, shadowY = 0.0;
};

struct GalileanSystem {
    std::array<GalileanMoonPlace, kGalileanMoonCount> moons;
    double axisPositionAngleDeg = 0.0;  // of Jupiter's north pole, from celestial north to east
    double earthLatitudeDeg = 0.0;      // jovicentric latitude of the Earth (D_E)
    double distanceAu = 0.0;            // Earth-Jupiter, light-time corrected
};

// Jupiter where the light now arriving left it, J2000 mean equator, AU: its vector from the
// Earth's centre and from the Sun, the Earth's from the Sun, and the light time (days).
struct JupiterSightLine {
    Vec3 geocentric, heliocentric, earthHeliocentric;
    double lightTime = 0.0;
};
JupiterSightLine SeeJupiter(const Instant& when);

// The system at an instant. Returns 0; kEphemerisOutOfRange outside the Earth ephemeris and
// kEphemerisUnknownBody for a non-finite time, with everything zero.
int ComputeGalileanSystem(const Instant& when, GalileanSystem& out);

// How an eyepiece shows the sky's offsets: erect (north up, east left as on the sky), inverted
// (turned half a turn, as in a straight-through telescope) and mirrored (north up with east
// and west swapped, as in a star diagonal). The result is in the view's own east-positive x
// and north-positive y, so a drawing puts +x to the left and +y up in every view.
enum class EyepieceView { kErect, kInverted, kMirrored };
struct SkyOffset {
    double x = 0.0, y = 0.0;
};
SkyOffset InView(SkyOffset sky, EyepieceView view);

}  // namespace vsp
