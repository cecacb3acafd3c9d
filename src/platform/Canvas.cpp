#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <utility>

namespace vsp {
namespace {

// Half the width of the disc of `radius` at `dy` rows from its centre: the largest h with
// h^2 + dy^2 < (radius + 1/2)^2, or -1 outside the disc.
int HalfWidth(int radius, int dy) {
    const int64_t rest = int64_t(radius) * radius + radius - int64_t(dy) * dy;
    if (rest < 0) return -1;
    auto h = int64_t(std::sqrt(double(rest)));
    while (h * h > rest) --h;
    while ((h + 1) * (h + 1) <= rest) ++h;
    return int(h);
}

// `under` with `over` laid on it at `coverage` out of 255.
Pixel565 Blend(Pixel565 under, Colour over, int coverage) {
    const Colour base = UnpackRgb565(under);
    const auto mix = [coverage](int from, int to) { return uint8_t(from + (to - from) * coverage / 255); };
    return PackRgb565(MakeColour(mix(ColourRed(base), ColourRed(over)),
                                 mix(ColourGreen(base), ColourGreen(over)),
                                 mix(ColourBlue(base), ColourBlue(over))));
}

}  // namespace

bool Canvas::Create(int width, int height) {
    Free();
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
    pixels_.reset(new (std::nothrow) Pixel565[size_t(width) * size_t(height)]());
    if (!pixels_) return false;
    width_ = width;
    height_ = height;
    ResetClip();
    return true;
}

bool Canvas::CreateFrom(const Canvas& source, const Rect& area) {
    const Rect part = Intersect(area, MakeRect(0, 0, source.width_, source.height_));
    if (!Create(part.Width(), part.Height())) return false;
    for (int y = 0; y < height_; ++y) {
        const Pixel565* from = source.pixels_.get() + size_t(part.top + y) * size_t(source.width_) + size_t(part.left);
        std::copy(from, from + width_, RowOf(y));
    }
    return true;
}

void Canvas::Free() {
    pixels_.reset();
    width_ = height_ = 0;
    clip_ = Rect{};
}

void Canvas::SetClip(const Rect& clip) { clip_ = Intersect(clip, MakeRect(0, 0, width_, height_)); }

void Canvas::Plot(int x, int y) {
    if (clip_.Contains(x, y)) RowOf(y)[x] = fore_;
}

void Canvas::FillSpan(int y, int left, int right, Pixel565 colour) {
    if (y < clip_.top || y >= clip_.bottom) return;
    left = std::max(left, clip_.left);
    right = std::min(right, clip_.right - 1);
    if (left <= right) std::fill(RowOf(y) + left, RowOf(y) + right + 1, colour);
}

void Canvas::FillRect(const Rect& rect) {
    const Rect area = Intersect(rect, clip_);
    for (int y = area.top; y < area.bottom; ++y) FillSpan(y, area.left, area.right - 1, back_);
}

void Canvas::DrawLine(int x0, int y0, int x1, int y1) {
    // Walk the longer axis u one pixel at a time; v is the other axis.
    const bool steep = std::abs(int64_t(y1) - y0) > std::abs(int64_t(x1) - x0);
    if (steep) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const int64_t du = int64_t(x1) - x0;
    const int64_t dv = std::abs(int64_t(y1) - y0);
    const int vStep = y1 >= y0 ? 1 : -1;
    // Only the steps inside the clip's range of u are walked, so a long line costs no more
    // than the clip is wide.
    const int uFirst = std::max(x0, steep ? clip_.top : clip_.left);
    const int uLast = std::min(x1, (steep ? clip_.bottom : clip_.right) - 1);
    if (uFirst > uLast) return;
    if (du == 0) {
        steep ? Plot(y0, x0) : Plot(x0, y0);
        return;
    }
    // After k steps v has moved by the nearest whole number to k * dv / du (halves rounded
    // up): floor((2 k dv + du) / 2 du), kept as a quotient and a running remainder.
    const int64_t twoDu = 2 * du;
    const __int128 start = __int128(2) * (uFirst - int64_t(x0)) * dv + du;
    int64_t v = y0 + vStep * int64_t(start / twoDu);
    auto remainder = int64_t(start % twoDu);
    for (int u = uFirst; u <= uLast; ++u) {
        steep ? Plot(int(v), u) : Plot(u, int(v));
        remainder += 2 * dv;
        if (remainder >= twoDu) {
            remainder -= twoDu;
            v += vStep;
        }
    }
}

void Canvas::FillCircle(int cx, int cy, int radius) {
    const int first = std::max(-radius, clip_.top - cy);
    const int last = std::min(radius, clip_.bottom - 1 - cy);
    for (int dy = first; dy <= last; ++dy) {
        const int h = HalfWidth(radius, dy);
        FillSpan(cy + dy, cx - h, cx + h, fore_);
    }
}

void Canvas::DrawCircle(int cx, int cy, int radius) {
    const int first = std::max(-radius, clip_.top - cy);
    const int last = std::min(radius, clip_.bottom - 1 - cy);
    for (int dy = first; dy <= last; ++dy) {
        // The disc's pixels that have a neighbour outside it: beyond the narrower of the rows
        // above and below, and always the two ends of the row.
        const int h = HalfWidth(radius, dy);
        const int inner = std::min(HalfWidth(radius, dy - 1), HalfWidth(radius, dy + 1));
        const int from = std::min(inner + 1, h);
        FillSpan(cy + dy, cx - h, cx - from, fore_);
        FillSpan(cy + dy, cx + from, cx + h, fore_);
    }
}

namespace {

// One edge of a filled outline and the rows it may cross: a loose range, since which rows it
// really crosses is settled by the exact test of each row's centre.
struct PolygonEdge {
    int firstRow, lastRow;
    PointF a, b;
};

std::vector<PolygonEdge> PolygonEdges(const std::vector<std::vector<PointF>>& rings, int first, int last) {
    std::vector<PolygonEdge> edges;
    for (const auto& ring : rings) {
        for (size_t i = 0, n = ring.size(); i < n; ++i) {
            const PointF& a = ring[i];
            const PointF& b = ring[(i + 1) % n];
            if (a.y == b.y) continue;  // level: no row centre lies between its ends
            const double lo = std::min(a.y, b.y), hi = std::max(a.y, b.y);
            PolygonEdge edge{first, last, a, b};
            if (std::isfinite(lo) && std::isfinite(hi)) {
                edge.firstRow = int(std::clamp(std::floor(lo - 0.5), double(first), double(last) + 1));
                edge.lastRow = int(std::clamp(std::ceil(hi - 0.5), double(first) - 1, double(last)));
            }
            if (edge.firstRow <= edge.lastRow) edges.push_back(edge);
        }
    }
    std::ranges::sort(edges, {}, &PolygonEdge::firstRow);
    return edges;
}

}  // namespace

// Even-odd scan conversion over the edges that reach each row only, so that the Milky Way's
// thousands of vertices cost their own rows and not every row of the chart.
void Canvas::FillPolygon(const std::vector<std::vector<PointF>>& rings) {
    double top = 1e300, bottom = -1e300;
    for (const auto& ring : rings) {
        for (const PointF& p : ring) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
    }
    if (top > bottom) return;
    const int first = std::max(clip_.top, int(std::floor(top)));
    const int last = std::min(clip_.bottom - 1, int(std::ceil(bottom)));
    if (first > last) return;
    const std::vector<PolygonEdge> edges = PolygonEdges(rings, first, last);
    std::vector<const PolygonEdge*> active;
    size_t next = 0;
    std::vector<double> crossings;
    for (int y = first; y <= last; ++y) {
        while (next < edges.size() && edges[next].firstRow <= y) active.push_back(&edges[next++]);
        std::erase_if(active, [y](const PolygonEdge* e) { return e->lastRow < y; });
        const double centre = y + 0.5;
        crossings.clear();
        for (const PolygonEdge* e : active) {
            const PointF& a = e->a;
            const PointF& b = e->b;
            // Half-open in y, so a vertex on the row is counted once.
            if ((a.y <= centre) == (b.y <= centre)) continue;
            crossings.push_back(a.x + (centre - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixels whose centre x + 0.5 lies in [from, to).
            const double from = std::clamp(std::ceil(crossings[i] - 0.5), -1.0, double(kMaxSide) + 1);
            const double to = std::clamp(std::ceil(crossings[i + 1] - 0.5) - 1, -1.0, double(kMaxSide) + 1);
            FillSpan(y, int(from), int(to), fore_);
        }
    }
}

TextExtent Canvas::MeasureText(std::string_view text, FontId font) const {
    const Font* face = FindFont(font, textScale_);
    if (!face) return {};
    TextExtent extent{0, face->height};
    for (char c : text) extent.width += face->glyphs[static_cast<unsigned char>(c)].advance;
    return extent;
}

bool Canvas::DrawText(int x, int y, std::string_view text, FontId font, TextBackground background) {
    const Font* face = FindFont(font, textScale_);
    if (!face) return false;
    if (background == TextBackground::Opaque) {
        const TextExtent extent = MeasureText(text, font);
        FillRect(MakeRect(x, y, extent.width, extent.height));
    }
    const int baseline = y + face->ascent;
    for (char c : text) {
        const GlyphImage& glyph = face->glyphs[static_cast<unsigned char>(c)];
        BlendCoverage(x + glyph.left, baseline - glyph.top, glyph.width, glyph.rows, glyph.coverage.data());
        x += glyph.advance;
    }
    return true;
}

void Canvas::BlendCoverage(int x, int y, int width, int rows, const uint8_t* coverageMap) {
    const Rect area = Intersect(MakeRect(x, y, width, rows), clip_);
    for (int row = area.top; row < area.bottom; ++row) {
        const uint8_t* coverage = coverageMap + size_t(row - y) * size_t(width);
        Pixel565* line = RowOf(row);
        for (int column = area.left; column < area.right; ++column) {
            const int alpha = coverage[column - x];
            if (alpha != 0) line[column] = Blend(line[column], text_, alpha);
        }
    }
}

void Canvas::CopySprite(const Canvas& source, const Rect& area, int x, int y, Colour transparent) {
    const Rect from = Intersect(area, MakeRect(0, 0, source.width_, source.height_));
    const int dx = x - area.left, dy = y - area.top;
    const Rect to = Intersect(MakeRect(from.left + dx, from.top + dy, from.Width(), from.Height()), clip_);
    const Pixel565 skip = PackRgb565(transparent);
    for (int row = to.top; row < to.bottom; ++row) {
        const Pixel565* in = source.pixels_.get() + size_t(row - dy) * size_t(source.width_) + size_t(to.left - dx);
        Pixel565* out = RowOf(row) + to.left;
        // Branch-free, so that the compiler can copy a row in vector steps.
        const int n = to.right - to.left;
        for (int i = 0; i < n; ++i) out[i] = in[i] != skip ? in[i] : out[i];
    }
}

}  // namespace vsp
