#pragma once
// The Earth about the Sun from VSOP87 (P. Bretagnon & G. Francou, A&A 202, 309 (1988); series
// D, mean ecliptic and equinox of date) in the truncation of Meeus, appendix III: the base of
// the precise Sun, good to about 1" over 1800-2200 (apparent Sun 0.56" from PyEphem).

#include "ephemeris/Instant.h"

namespace vsp {

struct EclipticPlace {
    double longitude = 0.0;  // radians, [0, 2 pi)
    double latitude = 0.0;   // radians
    double radius = 0.0;     // AU
};

// At the instant's TT (the series run in Julian millennia from J2000).
EclipticPlace EarthVsop87(const Instant& when);

}  // namespace vsp
