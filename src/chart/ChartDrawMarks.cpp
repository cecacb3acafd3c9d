// Marks drawn over everything else: the place the followed telescope points at.
#include "chart/ChartRedraw.h"

namespace vsp {
namespace {

// Layout pixels of the reticle: its ring and the reach of the four ticks. The ticks stop short
// of the centre so that the star the mount points at stays visible inside the ring.
constexpr int kScopeRingRadius = 8;
constexpr int kScopeTickInner = 4;
constexpr int kScopeTickOuter = 13;

}  // namespace

void ChartRedraw::DrawScopeMarker() {
    drawn_.scopeAt.reset();
    if (!scene_.scope) return;
    const ScreenPoint p = Place(MarkVector(*scene_.scope));
    if (!Inside(p)) return;
    drawn_.scopeAt = p;
    canvas_.SetForeColour(palette_.scope);
    const int ring = Scaled(kScopeRingRadius);
    canvas_.DrawCircle(p.x, p.y, ring);
    if (scale_ >= 2.0) canvas_.DrawCircle(p.x, p.y, ring + 1);  // a heavier line where pixels are small
    const int inner = Scaled(kScopeTickInner), outer = Scaled(kScopeTickOuter);
    canvas_.DrawLine(p.x - outer, p.y, p.x - inner, p.y);
    canvas_.DrawLine(p.x + inner, p.y, p.x + outer, p.y);
    canvas_.DrawLine(p.x, p.y - outer, p.x, p.y - inner);
    canvas_.DrawLine(p.x, p.y + inner, p.x, p.y + outer);
}

}  // namespace vsp
