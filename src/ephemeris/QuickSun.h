#pragma once
// The Sun from classical elements of epoch 1900 (mean equinox of date): quick, and the Sun-Earth
// geometry of the Moon and Pluto records (S. Newcomb's elements as in P. Duffett-Smith,
// Practical Astronomy with your Calculator). Within 1' of the apparent Sun.

#include "ephemeris/Instant.h"

namespace vsp {

struct QuickSunPlace {
    double rightAscension = 0.0;  // hours, [0, 24)
    double declination = 0.0;     // degrees
    double trueLongitude = 0.0;   // degrees, [0, 360)
    double distance = 0.0;        // AU
    double obliquity = 0.0;       // mean obliquity of the 1900 elements, degrees
};

// At the instant's TT. The day-length tables and the quick Sun of the command line take it at
// their UT with ΔT neglected (Instant::FromUt(jd, 0)), as the program always has: the 3" the
// Sun moves in 69 s of ΔT are well below this theory's accuracy.
QuickSunPlace QuickSun(const Instant& when);

}  // namespace vsp
