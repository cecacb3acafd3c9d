#pragma once
// The one reduction of an angle (or an hour, or a fraction of a day) into its first turn.

#include <cmath>

#include "ephemeris/Constants.h"

namespace vsp {

// value reduced into [0, period): fmod keeps the remainder exact, a negative remainder moves
// up one period, and a tiny negative one that would round up to period itself becomes 0.
inline double ReduceAngle(double value, double period) {
    double r = std::fmod(value, period);
    if (r < 0.0) r += period;
    return r >= period ? 0.0 : r;
}

// An angle in degrees reduced into [0, 360) and given in radians.
inline double ReducedRadians(double degrees) { return ReduceAngle(degrees, 360.0) * kDegToRad; }

}  // namespace vsp
