// The shapes of a raster surface: fractional places rounded to the nearest pixel.
#include "platform/DrawSurface.h"

#include <cmath>

namespace vsp {
namespace {

int Px(double v) { return int(std::lround(v)); }

}  // namespace

void DrawSurface::FillDisc(double cx, double cy, double radius, Colour colour) {
    SetForeColour(colour);
    FillCircle(Px(cx), Px(cy), Px(radius - 0.5));
}

void DrawSurface::StrokeCircle(double cx, double cy, double radius, double, Colour colour) {
    SetForeColour(colour);
    DrawCircle(Px(cx), Px(cy), Px(radius));
}

void DrawSurface::StrokePath(const std::vector<PointF>& points, bool closed, double, Colour colour) {
    if (points.size() < 2) return;
    SetForeColour(colour);
    for (size_t i = 1; i < points.size(); ++i)
        DrawLine(Px(points[i - 1].x), Px(points[i - 1].y), Px(points[i].x), Px(points[i].y));
    if (closed) DrawLine(Px(points.back().x), Px(points.back().y), Px(points[0].x), Px(points[0].y));
}

}  // namespace vsp
