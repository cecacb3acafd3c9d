#pragma once
// Vector pages drawn with cairo: SVG and PDF files whose lines, discs, areas and text (the
// DejaVu faces of the canvas fonts, embedded and selectable in PDF) are shapes, not pixels.
// One page unit is one PDF point (1/72 inch) or one SVG user unit; a chart of W x H pixels
// is placed on a page by its top-left and a scale in page units per pixel. Text is laid out
// by the raster fonts' advances, so that it takes the same room as on the Canvas. cairo writes
// SVG text as glyph outlines; each text also goes into the SVG as an invisible <text> over
// its glyphs, so that a viewer can select, copy and search it.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/DrawSurface.h"
#include "platform/ReplaceFile.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace vsp {

enum class VectorFormat { Svg, Pdf };

// The vector format a file name asks for by its extension (".svg", ".pdf", any case).
std::optional<VectorFormat> VectorFormatOf(std::string_view path);

class VectorDocument {
public:
    VectorDocument() = default;
    VectorDocument(const VectorDocument&) = delete;
    VectorDocument& operator=(const VectorDocument&) = delete;
    ~VectorDocument();
    // Pages of pageWidth x pageHeight page units; false with a message when the file cannot
    // be made. SVG holds one page.
    bool Open(const std::string& path, VectorFormat format, double pageWidth, double pageHeight, std::string& error);
    // Ends the page drawn so far and starts the next (PDF).
    void NextPage();
    // Writes the file out and puts it in place of any earlier one; false with a message when
    // writing failed, and then the earlier file stays as it was.
    bool Close(std::string& error);
    cairo_t* Context() const { return cr_; }
    // One drawn text for the SVG's selectable layer: the start of its baseline, its font size
    // and its drawn length in page units. Nothing for a PDF, whose glyphs carry the text.
    void AddText(double x, double y, double size, double length, const char* family, bool bold, std::string_view utf8);

private:
    bool WriteSvg(std::string& error);
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    std::string path_;
    PendingFile file_;
    bool svg_ = false;
    std::string svgStream_;  // the SVG as cairo wrote it, kept until Close adds the texts
    std::string texts_;     // the <text> elements
};

class VectorSurface final : public DrawSurface {
public:
    // A chart of width x height pixels with its top-left at (left, top) on the document's
    // current page, `scale` page units per pixel; drawing stays inside it.
    VectorSurface(VectorDocument& document, int width, int height, double left, double top, double scale);
    ~VectorSurface() override;
    VectorSurface(const VectorSurface&) = delete;
    VectorSurface& operator=(const VectorSurface&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetForeColour(Colour colour) override { fore_ = colour; }
    void SetTextColour(Colour colour) override { text_ = colour; }
    void SetBackColour(Colour colour) override { back_ = colour; }
    void SetTextScale(double scale) override { textScale_ = scale; }
    double TextScale() const override { return textScale_; }
    void SetClip(const Rect& clip) override;
    void ResetClip() override { SetClip(MakeRect(0, 0, width_, height_)); }
    const Rect& Clip() const override { return clip_; }
    void FillRect(const Rect& rect) override;
    void DrawLine(int x0, int y0, int x1, int y1) override;
    void DrawCircle(int cx, int cy, int radius) override;
    void FillCircle(int cx, int cy, int radius) override;
    void FillPolygon(const std::vector<std::vector<PointF>>& rings) override;
    bool DrawText(int x, int y, std::string_view text, FontId font, TextBackground background) override;
    TextExtent MeasureText(std::string_view text, FontId font) const override;
    void CopySprite(const Canvas& source, const Rect& area, int x, int y, Colour transparent) override;
    bool DrawsShapes() const override { return true; }
    void FillDisc(double cx, double cy, double radius, Colour colour) override;
    void StrokeCircle(double cx, double cy, double radius, double width, Colour colour) override;
    void StrokePath(const std::vector<PointF>& points, bool closed, double width, Colour colour) override;

private:
    void UseColour(Colour colour);
    VectorDocument& document_;
    cairo_t* cr_;
    int width_;
    int height_;
    Rect clip_;
    Colour fore_ = kColourWhite;
    Colour text_ = kColourWhite;
    Colour back_ = kColourBlack;
    double textScale_ = 1.0;
};

}  // namespace vsp
