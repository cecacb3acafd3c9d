#pragma once
// Lines, circles and discs with fractional places and widths on any surface: shapes on a
// vector page, the nearest pixels on the canvas, so that the finder chart also writes a PNG.
#include <vector>

#include "platform/DrawSurface.h"

namespace vsp {

void StrokeShapePath(DrawSurface& surface, const std::vector<PointF>& points, bool closed, double width, Colour colour);
void StrokeShapeCircle(DrawSurface& surface, PointF centre, double radius, double width, Colour colour);
void FillShapeDisc(DrawSurface& surface, PointF centre, double radius, Colour colour);

}  // namespace vsp
