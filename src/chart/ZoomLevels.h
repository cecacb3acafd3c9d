#pragma once
// The chart's 14 zoom levels, 0 (widest) to 13, and what each level sets: the field of view of
// its label, the magnification of the horizontal charts, the projection angle of the centred
// charts and the size factor of the objects drawn to scale. Levels outside 0..13 count as the
// nearest one.

#include <cstdint>

namespace vsp {

inline constexpr int kZoomLevelCount = 14;

// Label field of view in tenths of a degree (1800 .. 5).
int FieldOfViewTenths(int level);
// Horizontal-chart magnification, 16.16, before the pixel-unit scaling.
int32_t Magnification16(int level);
// Projection angle F of the centred charts, degrees.
double ProjectionAngleDeg(int level);
// Z = 1 / (0.375 * label field of view); 0 outside 0..13.
float GetSizeFactor(int level);

}  // namespace vsp
