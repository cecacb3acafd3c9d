#pragma once
// What the chart draws on: the raster Canvas (RGB565 pixels) or a vector page (SVG, PDF). All
// coordinates are chart pixels, y down; colours are RGB triples; text is code-page text in the
// canvas fonts, placed by the top-left of its box and measured in the raster font's advances,
// so that a chart lays out to the same pixel on every surface.

#include <string_view>
#include <vector>

#include "platform/Colour.h"
#include "platform/Fonts.h"
#include "platform/Geometry.h"

namespace vsp {

class Canvas;

enum class TextBackground { Transparent, Opaque };

struct TextExtent {
    int width = 0;
    int height = 0;
};

class DrawSurface {
public:
    virtual ~DrawSurface() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetForeColour(Colour colour) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    virtual void SetBackColour(Colour colour) = 0;
    // Font pixel sizes are multiplied by the display scale factor (1.0 on a 96-dpi screen).
    virtual void SetTextScale(double scale) = 0;
    virtual double TextScale() const = 0;
    // Later drawing stays inside `clip` (cut to the surface).
    virtual void SetClip(const Rect& clip) = 0;
    virtual void ResetClip() = 0;
    virtual const Rect& Clip() const = 0;

    // In the background colour.
    virtual void FillRect(const Rect& rect) = 0;
    // In the foreground colour; both ends are drawn.
    virtual void DrawLine(int x0, int y0, int x1, int y1) = 0;
    // In the foreground colour, 2 radius + 1 pixels across; a negative radius draws nothing.
    virtual void DrawCircle(int cx, int cy, int radius) = 0;
    virtual void FillCircle(int cx, int cy, int radius) = 0;
    // In the foreground colour by the even-odd rule; each ring closes on itself.
    virtual void FillPolygon(const std::vector<std::vector<PointF>>& rings) = 0;
    // In the text colour with the top-left of its box at (x, y); an opaque box is first filled
    // with the background colour. False when the font cannot be loaded.
    virtual bool DrawText(int x, int y, std::string_view text, FontId font, TextBackground background) = 0;
    // The box DrawText fills: the advance of every character by the font's line height.
    virtual TextExtent MeasureText(std::string_view text, FontId font) const = 0;
    // The pixels DrawText(x, y, text, font, ...) inks (see TextInkBox); empty at (x, y) when the
    // font cannot be loaded.
    Rect TextInk(int x, int y, std::string_view text, FontId font) const {
        const Font* face = FindFont(font, TextScale());
        return face ? TextInkBox(*face, x, y, text) : Rect{x, y, x, y};
    }
    // `area` of a bitmap with its top-left at (x, y), pixels of colour `transparent` left out.
    virtual void CopySprite(const Canvas& source, const Rect& area, int x, int y, Colour transparent) = 0;

    // True on a vector page: pictures that have a simple shape (a star's disc) are drawn as
    // that shape rather than copied as pixels.
    virtual bool DrawsShapes() const { return false; }
    // Shapes with fractional places and sizes (pixel centres at +0.5) in their own colour: as
    // shapes on a surface that DrawsShapes(), else as the nearest pixels' one-pixel lines,
    // circles and discs in the foreground colour, which they leave set to `colour`.
    virtual void FillDisc(double cx, double cy, double radius, Colour colour);
    virtual void StrokeCircle(double cx, double cy, double radius, double width, Colour colour);
    // Joins the points (closing the outline when `closed`) with a line `width` pixels wide.
    virtual void StrokePath(const std::vector<PointF>& points, bool closed, double width, Colour colour);
};

}  // namespace vsp
