// The chart's optional layers, each switched by its own setting: constellation borders, the
// proper names of the bright stars, full constellation names at wide fields.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "catalog/ConstellationBorders.h"
#include "catalog/StarCatalog.h"
#include "chart/ChartRedraw.h"
#include "chart/ZoomLevels.h"
#include "ephemeris/Constants.h"

namespace vsp {

namespace {

// Full constellation names only where a whole constellation fits the chart many times over.
constexpr int kFullNamesFromFovTenths = 600;

// The faintest magnitude class named at a zoom level: the widest fields name the first
// magnitude only, closer views reach down to the third.
int NamedStarClass(int level) { return level <= 2 ? 1 : level <= 5 ? 2 : 3; }

}  // namespace

void ChartRedraw::DrawBackgroundLayers() {
    if (prefs_.milkyWay) DrawMilkyWay();
    if (prefs_.constBoundaries) DrawConstellationBorders();
}

void ChartRedraw::DrawConstellationBorders() {
    canvas_.SetForeColour(palette_.border);
    for (const std::vector<BorderPoint>& border : ConstellationBordersJ2000()) {
        DrawCurve(int(border.size()) - 1, [&](int i) {
            return view_.PrecomputeVector(border[size_t(i)].raHours, border[size_t(i)].decDeg, false);
        });
    }
}

void ChartRedraw::DrawMilkyWay() {
    const double sense = OutlineSense();
    // Faintest first: each brighter level lies inside the one before and paints over it.
    for (size_t level = 0; level < scene_.milkyWay.levels.size(); ++level) {
        std::vector<std::vector<PointF>> rings;
        for (const MilkyWayRing& ring : scene_.milkyWay.levels[level]) {
            std::vector<PointF> outline = ScreenRing(ring, sense);
            if (outline.size() >= 3) rings.push_back(std::move(outline));
        }
        if (rings.empty()) continue;
        canvas_.SetForeColour(palette_.milkyWay[level]);
        canvas_.FillPolygon(rings);
        if (turnPixels_ <= 0) continue;
        // The panorama repeats: the same outline one turn either way covers what the seam cut.
        for (const int shift : {-turnPixels_, turnPixels_}) {
            std::vector<std::vector<PointF>> shifted = rings;
            for (auto& r : shifted)
                for (PointF& p : r) p.x += shift;
            canvas_.FillPolygon(shifted);
        }
    }
}

namespace {

// Far enough beyond the chart that a line joining two such places never crosses it, near
// enough that no projection's numbers run out of range (chart sizes).
constexpr int kOutlineReach = 8;
constexpr int kEdgeBisections = 12;
constexpr double kArcStep = 0.05;  // radians of the way round the chart's centre

ChartVector Midway(const ChartVector& a, const ChartVector& b) {
    const double x = Unit24ToDouble(a.x) + Unit24ToDouble(b.x), y = Unit24ToDouble(a.y) + Unit24ToDouble(b.y),
                 z = Unit24ToDouble(a.z) + Unit24ToDouble(b.z);
    const double n = std::sqrt(x * x + y * y + z * z);
    if (n == 0.0) return a;
    return ChartVector{DoubleToUnit24(x / n), DoubleToUnit24(y / n), DoubleToUnit24(z / n)};
}

}  // namespace

std::vector<PointF> ChartRedraw::ScreenRing(const MilkyWayRing& ring, double sense) {
    std::vector<PointF> outline;
    outline.reserve(ring.size());
    view_.WithProjection([&](const auto& projection) {
        auto near = [&](const ChartVector& v, ScreenPoint& p) {
            p = projection.Forward(v);
            return p.visible && std::abs(p.x - width_ / 2) < kOutlineReach * width_ &&
                   std::abs(p.y - height_ / 2) < kOutlineReach * height_;
        };
        auto add = [&](const ScreenPoint& p) {
            double x = p.x;
            if (turnPixels_ > 0 && !outline.empty()) {
                while (x - outline.back().x > turnPixels_ / 2.0) x -= turnPixels_;
                while (outline.back().x - x > turnPixels_ / 2.0) x += turnPixels_;
            }
            outline.push_back(PointF{x + 0.5, p.y + 0.5});
        };
        // Where an edge leaves the region the outline may use, its last place in it.
        auto crossing = [&](ChartVector in, ChartVector out) {
            ScreenPoint last, p;
            near(in, last);
            for (int k = 0; k < kEdgeBisections; ++k) {
                const ChartVector mid = Midway(in, out);
                if (near(mid, p)) {
                    in = mid;
                    last = p;
                } else {
                    out = mid;
                }
            }
            return last;
        };
        // The stretch of the ring beyond that region comes back along the region's edge, turning
        // the way that keeps the area on the ring's own side (the data's rings have their area
        // on their right as the sky is seen), not across the chart.
        const double cx = width_ / 2.0, cy = height_ / 2.0;
        std::optional<ScreenPoint> left;
        auto around = [&](const ScreenPoint& from, const ScreenPoint& to) {
            const double a0 = std::atan2(from.y - cy, from.x - cx), r0 = std::hypot(from.x - cx, from.y - cy);
            const double a1 = std::atan2(to.y - cy, to.x - cx), r1 = std::hypot(to.x - cx, to.y - cy);
            double turn = a1 - a0;
            while (turn * sense < 0.0) turn += kTwoPi * sense;
            const int steps = int(std::abs(turn) / kArcStep);
            for (int k = 1; k < steps; ++k) {
                const double t = double(k) / steps, a = a0 + t * turn, r = r0 + t * (r1 - r0);
                outline.push_back(PointF{cx + r * std::cos(a) + 0.5, cy + r * std::sin(a) + 0.5});
            }
        };
        const size_t n = ring.size();
        ChartVector previous = view_.PrecomputeVector(ring[n - 1].raHours, ring[n - 1].decDeg, false);
        ScreenPoint p, first;
        bool previousNear = near(previous, p), opened = false;
        for (const MilkyWayPoint& point : ring) {
            const ChartVector v = view_.PrecomputeVector(point.raHours, point.decDeg, false);
            const bool isNear = near(v, p);
            if (isNear && !previousNear) {
                const ScreenPoint back = crossing(v, previous);
                if (left) around(*left, back);
                if (!opened) first = back;
                opened = true;
                add(back);
            } else if (!isNear && previousNear) {
                left = crossing(previous, v);
                add(*left);
            }
            if (isNear) add(p);
            previous = v;
            previousNear = isNear;
        }
        // The last exit joins the first return.
        if (left && opened) around(*left, first);
    });
    return outline;
}

double ChartRedraw::OutlineSense() const {
    // A small turn east then north about the chart's centre, as the screen shows it.
    const SkyDirection c = CatalogAtPixel(width_ / 2, height_ / 2);
    const double ra = c.first / 15.0, dec = std::clamp(c.second, -80.0, 80.0);
    const ScreenPoint o = Place(view_.PrecomputeVector(ra, dec, false));
    const ScreenPoint e = Place(view_.PrecomputeVector(ra + 0.05, dec, false));
    const ScreenPoint n = Place(view_.PrecomputeVector(ra, dec + 0.75, false));
    const double cross = double(e.x - o.x) * (n.y - o.y) - double(e.y - o.y) * (n.x - o.x);
    return cross < 0.0 ? 1.0 : -1.0;
}

void ChartRedraw::DrawStarNames() {
    const int classLimit = std::min(NamedStarClass(level_), int(limits_.star));
    for (size_t i = 0; i < brightPlaced_.size() && i < scene_.brightStarNames.size(); ++i) {
        const ScreenPoint& p = brightPlaced_[i];
        const std::string& text = scene_.brightStarNames[i];
        if (!p.visible || text.empty()) continue;
        const uint16_t magnitude = scene_.stars->DefaultStars()[i].magnitude;
        if (StarSizeClass(magnitude) > classLimit) continue;
        // Below the star's right, clear of the Bayer letter above its left.
        NameRequest name{.rank = kRankOther, .magnitude = magnitude / 16.0, .text = text, .font = FontId::Small,
                         .colour = palette_.starName, .x = p.x + Scaled(5), .y = p.y + Scaled(1)};
        if (Prioritised()) name.otherX = p.x - Scaled(5) - canvas_.MeasureText(text, FontId::Small).width;
        RequestName(std::move(name));
    }
}

std::string_view ChartRedraw::ConstellationLabel(const ConstellationEntry& entry) const {
    const bool wide = FieldOfViewTenths(level_) >= kFullNamesFromFovTenths;
    return prefs_.constFullNames && wide ? ConstellationName(entry) : ConstellationAbbreviation(entry);
}

}  // namespace vsp
