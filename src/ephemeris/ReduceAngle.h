#pragma once
// The one reduction of a periodic value (an angle in any unit, an hour, a fraction of a day)
// into one period. Every reduction of a double goes through these; only integer and
// fixed-point counts (the chart's 24-bit angles, encoder counts, packed records) wrap in
// their own arithmetic.
//
// fmod is exact, and so is the one step by a period after it, so each result is the true
// remainder rounded once at most.

#include <cmath>

#include "ephemeris/Constants.h"

namespace vsp {

// Into [0, period): a negative remainder moves up one period, and a tiny negative one that
// would round up to the period itself becomes 0.
inline double ReduceAngle(double value, double period) {
    double r = std::fmod(value, period);
    if (r < 0.0) r += period;
    return r >= period ? 0.0 : r;
}

// Into [0, period], as the program's texts reduce what they show: a tiny negative value whose
// remainder rounds up to the period stays there (24 h, shown "24.0000" at code 0).
inline double ReduceAngleClosed(double value, double period) {
    const double r = std::fmod(value, period);
    return r < 0.0 ? r + period : r;
}

// Into [-period/2, period/2], the short way round (an hour angle, a difference of two
// azimuths): the IEEE remainder, except that a value exactly half a period away keeps its
// sign.
inline double ReduceAngleSigned(double value, double period) {
    double r = std::fmod(value, period);
    if (r > 0.5 * period) r -= period;
    else if (r < -0.5 * period) r += period;
    return r;
}

// An angle in degrees reduced into [0, 360) and given in radians.
inline double ReducedRadians(double degrees) { return ReduceAngle(degrees, 360.0) * kDegToRad; }

}  // namespace vsp
