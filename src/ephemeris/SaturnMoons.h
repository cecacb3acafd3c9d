#pragma once
// The places of Saturn's seven bright moons on the sky (J. Meeus, Astronomical Algorithms, 2nd
// ed., Willmann-Bell 1998, ch. 46, after G. Dourneau's theory for Mimas..Rhea and Iapetus and
// Harper & Taylor for Titan): saturnicentric orbits on the ring plane of B1950, seen from the
// Earth with Saturn's light time, the differential light time across the system and
// perspective. Measured against PyEphem (tests/data/ephemeris/planet_faces.csv): see
// tests/ephemeris/PlanetFacesTest.cpp.
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
    // Eclipses by Saturn's shadow are not computed: they need the Sun's direction as each moon
    // sees it, which this method does not carry; always false.
    bool eclipsed = false;
};

using SaturnMoonPlaces = std::array<SaturnMoonPlace, kSaturnMoonCount>;

// At the instant's TT. Returns 0 or the planetary theory's error (places zeroed).
int SaturnMoonsAt(const Instant& when, SaturnMoonPlaces& out);

}  // namespace vsp
