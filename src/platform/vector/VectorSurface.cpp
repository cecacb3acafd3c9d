// The cairo pages: every canvas operation as a path in chart pixels under the page transform.
#include "platform/vector/VectorSurface.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "ephemeris/Constants.h"
#include "platform/Canvas.h"
#include "platform/SharedLibrary.h"
#include "platform/SystemError.h"
#include "platform/Text.h"

namespace vsp {
namespace {

constexpr const char* kCairoLibrary = "libcairo.so.2";
#define VSP_CAIRO_FUNCTIONS(X, p) \
    X(p, arc) X(p, clip) X(p, close_path) X(p, create) X(p, destroy) X(p, fill) \
    X(p, ft_font_face_create_for_ft_face) X(p, get_source) X(p, image_surface_create) \
    X(p, image_surface_get_data) X(p, image_surface_get_stride) X(p, line_to) X(p, move_to) \
    X(p, new_sub_path) X(p, pattern_set_filter) X(p, pdf_surface_create_for_stream) \
    X(p, pdf_surface_set_metadata) X(p, rectangle) X(p, reset_clip) X(p, restore) X(p, save) \
    X(p, scale) X(p, set_fill_rule) X(p, set_font_face) X(p, set_font_size) X(p, set_line_cap) \
    X(p, set_line_join) X(p, set_line_width) X(p, set_source_rgb) X(p, set_source_surface) \
    X(p, show_page) X(p, show_text_glyphs) X(p, status_to_string) X(p, stroke) X(p, surface_destroy) \
    X(p, surface_finish) X(p, surface_flush) X(p, surface_mark_dirty) X(p, surface_status) \
    X(p, svg_surface_create_for_stream) X(p, svg_surface_set_document_unit) X(p, translate) \
    X(p, user_to_device) X(p, user_to_device_distance)
VSP_LAZY_API(CairoApi, cairo_, VSP_CAIRO_FUNCTIONS)

// Only reached once VectorDocument::Open has loaded the library.
const CairoApi& Cairo() { return *OpenLazyApi<CairoApi>(kCairoLibrary); }


// The cairo face of a DejaVu file, made once and kept with its FreeType face for the life of
// the program (cairo documents can outlive any one chart); nullptr when it cannot be loaded.
struct LoadedFace {
    FT_Face ft = nullptr;
    cairo_font_face_t* cairo = nullptr;
};

const LoadedFace* FindFace(const char* path) {
    static std::mutex mutex;
    static FT_Library library = nullptr;
    static std::map<std::string, LoadedFace> faces;
    const std::lock_guard lock(mutex);
    if (!library && FT_Init_FreeType(&library) != 0) return nullptr;
    auto [entry, added] = faces.try_emplace(path);
    if (added && FT_New_Face(library, path, 0, &entry->second.ft) == 0)
        entry->second.cairo = Cairo().ft_font_face_create_for_ft_face(entry->second.ft, 0);
    return entry->second.cairo ? &entry->second : nullptr;
}

// The pixels of `area` as a premultiplied ARGB image, `transparent` left clear.
cairo_surface_t* SpriteImage(const Canvas& source, const Rect& area, Colour transparent) {
    cairo_surface_t* image = Cairo().image_surface_create(CAIRO_FORMAT_ARGB32, area.Width(), area.Height());
    Cairo().surface_flush(image);
    unsigned char* data = Cairo().image_surface_get_data(image);
    const int stride = Cairo().image_surface_get_stride(image);
    const Pixel565 key = PackRgb565(transparent);
    for (int row = 0; row < area.Height(); ++row) {
        auto* out = reinterpret_cast<uint32_t*>(data + ptrdiff_t(row) * stride);
        for (int column = 0; column < area.Width(); ++column) {
            const Pixel565 p = source.At(area.left + column, area.top + row);
            const Colour c = UnpackRgb565(p);
            out[column] = p == key ? 0u
                                   : 0xFF000000u | uint32_t(ColourRed(c)) << 16 | uint32_t(ColourGreen(c)) << 8 |
                                         ColourBlue(c);
        }
    }
    Cairo().surface_mark_dirty(image);
    return image;
}

// cairo's stream writer into the pending file.
cairo_status_t WriteToFile(void* closure, const unsigned char* data, unsigned int length) {
    return std::fwrite(data, 1, length, static_cast<std::FILE*>(closure)) == length ? CAIRO_STATUS_SUCCESS
                                                                                  : CAIRO_STATUS_WRITE_ERROR;
}

// cairo's SVG stream into memory, where the text layer is added before it goes to the file.
cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// XML 1.0 has no place for the other control characters, not even as references.
void AppendXmlEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') continue;
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
}

}  // namespace

std::optional<VectorFormat> VectorFormatOf(std::string_view path) {
    if (path.size() < 4) return std::nullopt;
    std::string ext(path.substr(path.size() - 4));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == ".svg") return VectorFormat::Svg;
    if (ext == ".pdf") return VectorFormat::Pdf;
    return std::nullopt;
}

VectorDocument::~VectorDocument() {
    if (cr_) Cairo().destroy(cr_);
    if (surface_) Cairo().surface_destroy(surface_);
}

bool VectorDocument::Open(const std::string& path, VectorFormat format, double pageWidth, double pageHeight,
                          std::string& error) {
    path_ = path;
    std::string why;
    if (!OpenLazyApi<CairoApi>(kCairoLibrary, &why)) {
        error = "Cannot write " + path + ": " + why;
        return false;
    }
    if (!file_.Open(path)) {
        error = "Cannot write " + path + ": " + SystemErrorText(LastSystemErrorCode());
        return false;
    }
    svg_ = format == VectorFormat::Svg;
    if (svg_) {
        surface_ = Cairo().svg_surface_create_for_stream(AppendToString, &svgStream_, pageWidth, pageHeight);
        // Plain user units: one unit is one chart pixel of a --size chart.
        if (Cairo().surface_status(surface_) == CAIRO_STATUS_SUCCESS)
            Cairo().svg_surface_set_document_unit(surface_, CAIRO_SVG_UNIT_USER);
    } else {
        surface_ = Cairo().pdf_surface_create_for_stream(WriteToFile, file_.Stream(), pageWidth, pageHeight);
        if (Cairo().surface_status(surface_) == CAIRO_STATUS_SUCCESS)
            Cairo().pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "Vespertar");
    }
    if (Cairo().surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        error = "Cannot write " + path + ": " + Cairo().status_to_string(Cairo().surface_status(surface_));
        file_.Commit(false);
        return false;
    }
    cr_ = Cairo().create(surface_);
    return true;
}

void VectorDocument::NextPage() { Cairo().show_page(cr_); }

void VectorDocument::AddText(double x, double y, double size, double length, const char* family, bool bold,
                             std::string_view utf8) {
    if (!svg_ || utf8.empty()) return;
    char place[200];
    std::snprintf(place, sizeof place, "<text x=\"%.2f\" y=\"%.2f\" font-size=\"%.2f\" textLength=\"%.2f\" lengthAdjust=\"spacingAndGlyphs\"", x, y,
                  size, length);
    texts_ += place;
    texts_ += " font-family=\"";
    AppendXmlEscaped(texts_, family);
    texts_ += bold ? "\" font-weight=\"bold\">" : "\">";
    AppendXmlEscaped(texts_, utf8);
    texts_ += "</text>\n";
}

// The text layer goes last, over the glyphs, so that a pointer selects it; it draws nothing.
bool VectorDocument::WriteSvg(std::string& error) {
    const size_t end = svgStream_.rfind("</svg>");
    if (end == std::string::npos) {
        error = "Cannot write " + path_ + ": the SVG stream ended early";
        return false;
    }
    const std::string layer = "<g fill-opacity=\"0\" xml:space=\"preserve\">\n" +
                              texts_ + "</g>\n";
    std::FILE* out = file_.Stream();
    const bool written = std::fwrite(svgStream_.data(), 1, end, out) == end &&
                         std::fwrite(layer.data(), 1, layer.size(), out) == layer.size() &&
                         std::fwrite(svgStream_.data() + end, 1, svgStream_.size() - end, out) == svgStream_.size() - end;
    if (!written) error = "Cannot write " + path_ + ": " + SystemErrorText(LastSystemErrorCode());
    return written;
}

bool VectorDocument::Close(std::string& error) {
    if (!surface_) return false;
    Cairo().destroy(cr_);
    cr_ = nullptr;
    Cairo().surface_finish(surface_);
    const cairo_status_t status = Cairo().surface_status(surface_);
    Cairo().surface_destroy(surface_);
    surface_ = nullptr;
    if (status != CAIRO_STATUS_SUCCESS) {
        error = "Cannot write " + path_ + ": " + Cairo().status_to_string(status);
        file_.Commit(false);
        return false;
    }
    if (svg_ && !WriteSvg(error)) {
        file_.Commit(false);
        return false;
    }
    if (file_.Commit()) return true;
    error = "Cannot write " + path_ + ": " + SystemErrorText(LastSystemErrorCode());
    return false;
}

VectorSurface::VectorSurface(VectorDocument& document, int width, int height, double left, double top, double scale)
    : document_(document), cr_(document.Context()), width_(width), height_(height) {
    Cairo().save(cr_);
    Cairo().translate(cr_, left, top);
    Cairo().scale(cr_, scale, scale);
    Cairo().set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    ResetClip();
}

VectorSurface::~VectorSurface() { Cairo().restore(cr_); }

void VectorSurface::UseColour(Colour colour) {
    Cairo().set_source_rgb(cr_, ColourRed(colour) / 255.0, ColourGreen(colour) / 255.0, ColourBlue(colour) / 255.0);
}

void VectorSurface::SetClip(const Rect& clip) {
    clip_ = Intersect(clip, MakeRect(0, 0, width_, height_));
    Cairo().reset_clip(cr_);
    Cairo().rectangle(cr_, clip_.left, clip_.top, clip_.Width(), clip_.Height());
    Cairo().clip(cr_);
}

void VectorSurface::FillRect(const Rect& rect) {
    UseColour(back_);
    Cairo().rectangle(cr_, rect.left, rect.top, rect.Width(), rect.Height());
    Cairo().fill(cr_);
}

// A pixel (x, y) is the square from (x, y) to (x + 1, y + 1): lines run between pixel centres
// with square ends so that both end pixels are covered, as on the Canvas.
void VectorSurface::DrawLine(int x0, int y0, int x1, int y1) {
    Cairo().set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
    StrokePath({{x0 + 0.5, y0 + 0.5}, {x1 + 0.5, y1 + 0.5}}, false, 1.0, fore_);
    Cairo().set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
}

void VectorSurface::DrawCircle(int cx, int cy, int radius) {
    if (radius < 0) return;
    StrokeCircle(cx + 0.5, cy + 0.5, radius, 1.0, fore_);
}

void VectorSurface::FillCircle(int cx, int cy, int radius) {
    if (radius < 0) return;
    FillDisc(cx + 0.5, cy + 0.5, radius + 0.5, fore_);
}

void VectorSurface::FillDisc(double cx, double cy, double radius, Colour colour) {
    UseColour(colour);
    Cairo().new_sub_path(cr_);
    Cairo().arc(cr_, cx, cy, radius, 0.0, kTwoPi);
    Cairo().fill(cr_);
}

void VectorSurface::StrokeCircle(double cx, double cy, double radius, double width, Colour colour) {
    UseColour(colour);
    Cairo().new_sub_path(cr_);
    Cairo().arc(cr_, cx, cy, radius, 0.0, kTwoPi);
    Cairo().set_line_width(cr_, width);
    Cairo().stroke(cr_);
}

void VectorSurface::StrokePath(const std::vector<PointF>& points, bool closed, double width, Colour colour) {
    if (points.empty()) return;
    UseColour(colour);
    Cairo().move_to(cr_, points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) Cairo().line_to(cr_, points[i].x, points[i].y);
    if (closed) Cairo().close_path(cr_);
    Cairo().set_line_width(cr_, width);
    Cairo().stroke(cr_);
}

void VectorSurface::FillPolygon(const std::vector<std::vector<PointF>>& rings) {
    UseColour(fore_);
    for (const std::vector<PointF>& ring : rings) {
        if (ring.empty()) continue;
        Cairo().move_to(cr_, ring[0].x, ring[0].y);
        for (size_t i = 1; i < ring.size(); ++i) Cairo().line_to(cr_, ring[i].x, ring[i].y);
        Cairo().close_path(cr_);
    }
    Cairo().set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    Cairo().fill(cr_);
    Cairo().set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
}

TextExtent VectorSurface::MeasureText(std::string_view text, FontId font) const {
    const Font* face = FindFont(font, textScale_);
    if (!face) return {};
    TextExtent extent{0, face->height};
    for (unsigned char byte : text) extent.width += face->glyphs[byte].advance;
    return extent;
}

bool VectorSurface::DrawText(int x, int y, std::string_view text, FontId font, TextBackground background) {
    const Font* metrics = FindFont(font, textScale_);
    const FontFace file = FontFaceOf(font, textScale_);
    const LoadedFace* face = FindFace(file.path);
    if (!metrics || !face) return false;
    if (background == TextBackground::Opaque) {
        const TextExtent extent = MeasureText(text, font);
        FillRect(MakeRect(x, y, extent.width, extent.height));
    }
    // Each character its own glyph and cluster, so that a PDF reader copies the text.
    std::string utf8;
    std::vector<cairo_glyph_t> glyphs;
    std::vector<cairo_text_cluster_t> clusters;
    double pen = x;
    for (unsigned char byte : text) {
        const char32_t code = FontCodePoint(font, byte);
        if (code != 0) {
            const size_t before = utf8.size();
            AppendUtf8(utf8, code);
            glyphs.push_back({FT_Get_Char_Index(face->ft, code), pen, double(y + metrics->ascent)});
            clusters.push_back({int(utf8.size() - before), 1});
        }
        pen += metrics->glyphs[byte].advance;
    }
    if (glyphs.empty()) return true;
    Cairo().set_font_face(cr_, face->cairo);
    Cairo().set_font_size(cr_, file.pixels);
    UseColour(text_);
    Cairo().show_text_glyphs(cr_, utf8.data(), int(utf8.size()), glyphs.data(), int(glyphs.size()), clusters.data(),
                           int(clusters.size()), cairo_text_cluster_flags_t(0));
    // Texts outside the clip draw nothing, so they are not there to select either.
    if (x >= clip_.right || y >= clip_.bottom || pen <= clip_.left || y + metrics->height <= clip_.top) return true;
    double baseX = x, baseY = y + metrics->ascent, size = file.pixels, length = pen - x, zero = 0.0;
    Cairo().user_to_device(cr_, &baseX, &baseY);
    Cairo().user_to_device_distance(cr_, &zero, &size);
    zero = 0.0;
    Cairo().user_to_device_distance(cr_, &length, &zero);
    document_.AddText(baseX, baseY, size, length, face->ft->family_name, (face->ft->style_flags & FT_STYLE_FLAG_BOLD) != 0,
                      utf8);
    return true;
}

void VectorSurface::CopySprite(const Canvas& source, const Rect& area, int x, int y, Colour transparent) {
    const Rect cut = Intersect(area, MakeRect(0, 0, source.Width(), source.Height()));
    if (cut.Width() <= 0 || cut.Height() <= 0) return;
    x += cut.left - area.left;
    y += cut.top - area.top;
    cairo_surface_t* image = SpriteImage(source, cut, transparent);
    Cairo().set_source_surface(cr_, image, x, y);
    // Pixels stay pixels when the page is enlarged, as the sprite looks on the screen.
    Cairo().pattern_set_filter(Cairo().get_source(cr_), CAIRO_FILTER_NEAREST);
    Cairo().rectangle(cr_, x, y, cut.Width(), cut.Height());
    Cairo().fill(cr_);
    Cairo().surface_destroy(image);
}

}  // namespace vsp
