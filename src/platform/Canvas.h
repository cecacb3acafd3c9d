#pragma once
// An offscreen bitmap in the handheld's screen format, 16 bits per pixel (RGB565), and the
// drawing operations the chart is made of: rectangles, lines, circles, text, sprites with a
// transparent colour, all confined to one clip rectangle.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/Colour.h"
#include "platform/DrawSurface.h"
#include "platform/Fonts.h"
#include "platform/Geometry.h"

namespace vsp {

using Pixel565 = uint16_t;

constexpr Pixel565 PackRgb565(Colour c) {
    return Pixel565((ColourRed(c) >> 3) << 11 | (ColourGreen(c) >> 2) << 5 | ColourBlue(c) >> 3);
}
// The low bits repeat the high ones, so black and white come back exactly.
constexpr Colour UnpackRgb565(Pixel565 p) {
    const int red = p >> 11, green = (p >> 5) & 0x3F, blue = p & 0x1F;
    return MakeColour(uint8_t(red << 3 | red >> 2), uint8_t(green << 2 | green >> 4),
                      uint8_t(blue << 3 | blue >> 2));
}

// Final, so that code holding a Canvas itself calls its drawing without a virtual call.
class Canvas final : public DrawSurface {
public:
    // Screen positions are kept in 16 bits elsewhere, so no side may exceed them.
    static constexpr int kMaxSide = 32767;

    // A new black bitmap in place of any earlier one, clipped to its whole area; false (and
    // an empty canvas) when a side is outside 1..kMaxSide or the memory cannot be had.
    bool Create(int width, int height);
    void Free();
    bool Empty() const { return !pixels_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // (x, y) must lie inside the bitmap.
    Pixel565 At(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    // Row after row of Width() pixels, for handing the bitmap to a display.
    const Pixel565* Pixels() const { return pixels_.get(); }
    // This bitmap becomes a copy of `area` of `source` (cut to it), clipped to its whole area;
    // false (and an empty canvas) when nothing of `area` lies on `source`.
    bool CreateFrom(const Canvas& source, const Rect& area);

    void SetForeColour(Colour colour) override { fore_ = PackRgb565(colour); }
    void SetTextColour(Colour colour) override { text_ = colour; }
    void SetBackColour(Colour colour) override { back_ = PackRgb565(colour); }
    // Font pixel sizes are multiplied by the display scale factor (1.0 on a 96-dpi screen).
    void SetTextScale(double scale) override { textScale_ = scale; }
    double TextScale() const override { return textScale_; }
    // Later drawing changes only pixels inside `clip` (cut to the bitmap).
    void SetClip(const Rect& clip) override;
    void ResetClip() override { SetClip(MakeRect(0, 0, width_, height_)); }
    const Rect& Clip() const override { return clip_; }

    // In the background colour.
    void FillRect(const Rect& rect) override;
    // In the foreground colour; both ends are drawn.
    void DrawLine(int x0, int y0, int x1, int y1) override;
    // In the foreground colour; the disc holds the pixels whose centres lie less than
    // radius + 1/2 from the centre (so it is 2 radius + 1 across) and the outline is its
    // edge. A negative radius draws nothing.
    void DrawCircle(int cx, int cy, int radius) override;
    void FillCircle(int cx, int cy, int radius) override;
    // In the foreground colour, the pixels whose centres lie inside the outlines by the
    // even-odd rule, so that a ring inside another is a hole; each ring closes on itself.
    void FillPolygon(const std::vector<std::vector<PointF>>& rings) override;
    // One pixel in `colour` (inside the clip), for pictures shaded pixel by pixel.
    void PutPixel(int x, int y, Colour colour) {
        if (clip_.Contains(x, y)) RowOf(y)[x] = PackRgb565(colour);
    }
    // Code-page text in the text colour with the top-left of its box at (x, y); an opaque box
    // is first filled with the background colour. False when the font cannot be loaded.
    bool DrawText(int x, int y, std::string_view text, FontId font, TextBackground background) override;
    // The box DrawText fills: the advance of every character by the font's line height.
    TextExtent MeasureText(std::string_view text, FontId font) const override;
    // Copies `area` of another canvas with its top-left at (x, y), leaving the pixels of
    // colour `transparent` (compared in RGB565) undrawn.
    void CopySprite(const Canvas& source, const Rect& area, int x, int y, Colour transparent) override;
    // Blends the text colour over the bitmap through a `width` x `rows` coverage map (0..255,
    // row after row) with its top-left at (x, y).
    void BlendCoverage(int x, int y, int width, int rows, const uint8_t* coverage);

private:
    Pixel565* RowOf(int y) { return pixels_.get() + size_t(y) * size_t(width_); }
    void Plot(int x, int y);
    // Pixels left..right (inclusive) of row y, cut to the clip.
    void FillSpan(int y, int left, int right, Pixel565 colour);

    std::unique_ptr<Pixel565[]> pixels_;
    int width_ = 0;
    int height_ = 0;
    Rect clip_;
    Pixel565 fore_ = PackRgb565(kColourWhite);
    Pixel565 back_ = PackRgb565(kColourBlack);
    Colour text_ = kColourWhite;
    double textScale_ = 1.0;
};

}  // namespace vsp
