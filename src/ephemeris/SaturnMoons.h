#pragma once
// The places of Saturn's seven bright moons on the sky (J. Meeus, Astronomical Algorithms, 2nd
// ed., Willmann-Bell 1998, ch. 46, after G. Dourneau's theory for Mimas..Rhea and Iapetus and
// Harper & Taylor for Titan): saturnicentric orbits on the ring plane of B1950, seen from the
// Earth with Saturn's light time, the differential light time across the system and
// perspective. Measured against PyEphem over 2000-2038 (its tables; tests/data/ephemeris/):
// Mimas..Dione within 0.03 radii, Rhea 0.053, Titan 0.052, Iapetus 0.17 (in PyEphem's own unit,
// a 60052 km radius, Titan 0.094); behind the disc and in the shadow as PyEphem has them.
#include <array>

#include "ephemeris/Instant.h"

namespace vsp {

enum SaturnMoon { kMimas, kEnceladus, kTethys, kDione, kRhea, kTitan, kIapetus, kSaturnMoonCount };

// "Mimas", ..., "Iapetus".
const char* SaturnMoonName(int moon);

struct SaturnMoonPlace {
    // Offsets from Saturn's centre on the sky in Saturn equatorial radii (60268 km): x toward
    // the east (increasing right ascension), y toward celestial north (true equator of date).
    // PyEphem's x has this direction; its y grows southward.
    double x = 0.0, y = 0.0;
    double z = 0.0;         // toward the Earth, positive in front of the planet (Saturn radii)
    bool inFront = false;   // in front of the disc, within its outline (a transit)
    bool occulted = false;  // behind the disc (its outline flattened to a polar radius of 0.9)
    // In Saturn's shadow: behind the disc as the Sun sees it (the umbra taken as a cylinder,
    // the ring's shadow not counted).
    bool eclipsed = false;
    // Its shadow on the disc: in front of the disc as the Sun sees it (whether the Earth sees
    // that spot is left to the phase, at most 6 degrees for Saturn).
    bool shadowOnDisc = false;
};

using SaturnMoonPlaces = std::array<SaturnMoonPlace, kSaturnMoonCount>;

// At the instant's TT. Returns 0 or the planetary theory's error (places zeroed).
int SaturnMoonsAt(const Instant& when, SaturnMoonPlaces& out);

}  // namespace vsp
