#pragma once
// The chart's fixed-point number formats. Every per-body projection works in these so that
// thousands of stars cost only integer operations; floating point appears only when a view is
// set up and when a tap is turned back into a sky position.
//
// Angle24: a signed 32-bit angle in radians with 24 fraction bits (1 rad = 16777216). The turn
// constants below are the system's own: a full turn is 105414356, 1.07 units short of 2*pi.
// Unit24: a signed 32-bit real with 24 fraction bits (1.0 = 16777216), used for unit-vector
// components, sines and cosines and plane coordinates.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "catalog/StarAngle.h"

namespace vsp {

using Angle24 = std::int32_t;
using Unit24 = std::int32_t;

inline constexpr Unit24 kUnit24One = 16777216;
inline constexpr Angle24 kQuarterTurn = 26353589;
inline constexpr Angle24 kHalfTurn = 52707178;
inline constexpr Angle24 kFullTurn = 105414356;

// Conversions from real numbers truncate toward zero. The result must fit 32 bits: |radians|
// below 128 (about 20 turns), which any degree or hour value of a position meets.
inline Angle24 RadiansToAngle24(double radians) { return static_cast<Angle24>(radians * kAngleUnitsPerRadian); }
inline Angle24 DegreesToAngle24(double degrees) { return static_cast<Angle24>(degrees * kAngleUnitsPerDegree); }
inline Angle24 HoursToAngle24(double hours) { return static_cast<Angle24>(hours * kAngleUnitsPerHour); }
inline double Angle24ToRadians(Angle24 angle) { return angle * 5.960464477539063e-08; }

inline Unit24 DoubleToUnit24(double value) { return static_cast<Unit24>(value * kAngleUnitsPerRadian); }
inline double Unit24ToDouble(Unit24 value) { return value * 5.960464477539063e-08; }
// Rounded to the nearest Unit24 instead, and held within 32 bits: for the set-up values
// (matrix entries, rotations, plane points of the floating-point routes).
inline Unit24 RoundToUnit24(double value) {
    constexpr double kLimit = std::numeric_limits<Unit24>::max();
    return static_cast<Unit24>(std::llround(std::clamp(value * kUnit24One, -kLimit, kLimit)));
}

// a*b through a 64-bit product; the shift rounds toward minus infinity. Also multiplies an
// Angle24 by a Unit24 factor (the result is then an Angle24).
inline Unit24 MultiplyUnit24(Unit24 a, Unit24 b) {
    return static_cast<Unit24>((static_cast<std::int64_t>(a) * b) >> 24);
}

}  // namespace vsp
