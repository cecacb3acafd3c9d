#pragma once
// The fixed-point angle of all star data: a signed 32-bit integer in units of 2^-24 radian,
// so that the per-star work of the chart needs no floating point.

#include <cstdint>

namespace vsp {

inline constexpr double kAngleUnitsPerRadian = 16777216.0;           // 2^24
inline constexpr double kAngleUnitsPerHour = 4392264.877774095;      // 2^24 * pi / 12
inline constexpr double kAngleUnitsPerDegree = 292817.65851827303;   // 2^24 * pi / 180

// Truncating conversions, as the star files are loaded.
inline int32_t AngleFromHours(double hours) { return int32_t(hours * kAngleUnitsPerHour); }
inline int32_t AngleFromDegrees(double degrees) { return int32_t(degrees * kAngleUnitsPerDegree); }

// Back through radians: units x 2^-24, then x 12/pi or 180/pi.
double AngleToHours(int32_t units);
double AngleToDegrees(int32_t units);

}  // namespace vsp
