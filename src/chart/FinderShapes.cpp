#include "chart/FinderShapes.h"

#include <cmath>

namespace vsp {
namespace {

int Px(double v) { return int(std::lround(v)); }

}  // namespace

void StrokeShapePath(DrawSurface& surface, const std::vector<PointF>& points, bool closed, double width, Colour colour) {
    if (points.size() < 2) return;
    if (surface.DrawsShapes()) {
        surface.StrokePath(points, closed, width, colour);
        return;
    }
    surface.SetForeColour(colour);
    for (size_t i = 1; i < points.size(); ++i)
        surface.DrawLine(Px(points[i - 1].x), Px(points[i - 1].y), Px(points[i].x), Px(points[i].y));
    if (closed) surface.DrawLine(Px(points.back().x), Px(points.back().y), Px(points[0].x), Px(points[0].y));
}

void StrokeShapeCircle(DrawSurface& surface, PointF centre, double radius, double width, Colour colour) {
    if (surface.DrawsShapes()) {
        surface.StrokeCircle(centre.x, centre.y, radius, width, colour);
        return;
    }
    surface.SetForeColour(colour);
    surface.DrawCircle(Px(centre.x), Px(centre.y), Px(radius));
}

void FillShapeDisc(DrawSurface& surface, PointF centre, double radius, Colour colour) {
    if (surface.DrawsShapes()) {
        surface.FillDisc(centre.x, centre.y, radius, colour);
        return;
    }
    surface.SetForeColour(colour);
    surface.FillCircle(Px(centre.x), Px(centre.y), Px(radius - 0.5));
}

}  // namespace vsp
