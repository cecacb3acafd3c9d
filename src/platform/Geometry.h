#pragma once
// Rectangles in device pixels: left/top inclusive, right/bottom exclusive.

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

inline Rect MakeRect(int left, int top, int width, int height) {
    return Rect{left, top, left + width, top + height};
}

}  // namespace vsp
