#pragma once
// Rectangles in device pixels: left/top inclusive, right/bottom exclusive.

#include <algorithm>

namespace vsp {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect&) const = default;
};

// The common part of two rectangles; empty (but placed) when they do not meet.
inline Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

// A vertex of a filled outline, in pixels with fractions (pixel centres at +0.5).
struct PointF {
    double x = 0.0;
    double y = 0.0;
};

inline Rect MakeRect(int left, int top, int width, int height) {
    return Rect{left, top, left + width, top + height};
}

}  // namespace vsp
