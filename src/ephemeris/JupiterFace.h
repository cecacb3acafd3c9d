#pragma once
// The face Jupiter turns to the Earth: the central meridian's longitude in the three rotation
// systems, the Great Red Spot's transits of it, the phase angle and the apparent diameter.
//
// Systems I and II rotate as Meeus, Astronomical Algorithms (2nd ed., chapter 43, the more
// accurate method) gives them: W1 = 17.710 + 877.90003539 d, W2 = 16.838 + 870.27003539 d
// from 1950 Jan 1.0 TT, about his pole of date; System III by the IAU rotation W = 284.95 +
// 870.5360000 d from J2000 about the IAU pole (Archinal et al., Celest. Mech. Dyn. Astr. 130,
// 22 (2018)). All three at Jupiter one light time before the instant, as the Earth's centre
// sees it (no phase correction). Longitudes are west, degrees [0, 360).
// Measured (20 instants 1980-2048): Systems I and II within 0.07 degrees of the IAU rules
// (W = 67.1 + 877.900 d, 43.3 + 870.270 d) on astronomy-engine's pole and geometry, System III
// within 0.013 degrees of astronomy-engine's; PyEphem's cmlI and cmlII, a shorter formula,
// part by up to 1.4 degrees. System II transits within 7 seconds of those rules.

#include <vector>

#include "ephemeris/Instant.h"

namespace vsp {

struct JupiterFace {
    double centralMeridianI = 0.0;    // degrees
    double centralMeridianII = 0.0;   // degrees
    double centralMeridianIII = 0.0;  // degrees
    double phaseAngleDeg = 0.0;       // Sun-Jupiter-Earth
    double diameterArcsec = 0.0;      // equatorial
};

// Returns 0; kEphemerisOutOfRange outside the Earth ephemeris and kEphemerisUnknownBody for a
// non-finite time, with everything zero.
int ComputeJupiterFace(const Instant& when, JupiterFace& out);

// The JDs (UT) from `start` to `days` later at which System II's central meridian is
// `longitudeII` (degrees): the transits of a feature fixed in System II, such as the Great Red
// Spot; ΔT is held through the span. Each within a second of the System II rule above.
std::vector<double> SystemIITransits(const Instant& start, double days, double longitudeII);

}  // namespace vsp
