#pragma once
// Degrees and radians, one definition for the whole ephemeris.

#include <numbers>

namespace vsp {

inline constexpr double kDegToRad = std::numbers::pi / 180.0;
inline constexpr double kRadToDeg = 180.0 / std::numbers::pi;

}  // namespace vsp
