// The chart's optional layers, each switched by its own setting: constellation borders, the
// proper names of the bright stars, full constellation names at wide fields.
#include <algorithm>

#include "catalog/ConstellationBorders.h"
#include "catalog/StarCatalog.h"
#include "chart/ChartRedraw.h"
#include "chart/ZoomLevels.h"

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
    // Faintest first: each brighter level lies inside the one before and paints over it.
    for (size_t level = 0; level < scene_.milkyWay.levels.size(); ++level) {
        std::vector<std::vector<PointF>> rings;
        for (const MilkyWayRing& ring : scene_.milkyWay.levels[level]) {
            std::vector<PointF> outline = ScreenRing(ring);
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

std::vector<PointF> ChartRedraw::ScreenRing(const MilkyWayRing& ring) {
    std::vector<PointF> outline;
    outline.reserve(ring.size());
    view_.WithProjection([&](const auto& projection) {
        for (const MilkyWayPoint& point : ring) {
            const ScreenPoint p = projection.Forward(view_.PrecomputeVector(point.raHours, point.decDeg, false));
            if (!p.visible) continue;
            double x = p.x;
            if (turnPixels_ > 0 && !outline.empty()) {
                while (x - outline.back().x > turnPixels_ / 2.0) x -= turnPixels_;
                while (outline.back().x - x > turnPixels_ / 2.0) x += turnPixels_;
            }
            outline.push_back(PointF{x + 0.5, p.y + 0.5});
        }
    });
    return outline;
}

void ChartRedraw::DrawStarNames() {
    const int classLimit = std::min(NamedStarClass(level_), int(limits_.star));
    canvas_.SetTextColour(palette_.starName);
    for (size_t i = 0; i < brightPlaced_.size() && i < scene_.brightStarNames.size(); ++i) {
        const ScreenPoint& p = brightPlaced_[i];
        const std::string& name = scene_.brightStarNames[i];
        if (!p.visible || name.empty()) continue;
        if (StarSizeClass(scene_.stars->DefaultStars()[i].magnitude) > classLimit) continue;
        // Below the star's right, clear of the Bayer letter above its left.
        canvas_.DrawText(p.x + Scaled(5), p.y + Scaled(1), name, FontId::Small, TextBackground::Transparent);
    }
}

std::string_view ChartRedraw::ConstellationLabel(const ConstellationEntry& entry) const {
    const bool wide = FieldOfViewTenths(level_) >= kFullNamesFromFovTenths;
    return prefs_.constFullNames && wide ? ConstellationName(entry) : ConstellationAbbreviation(entry);
}

}  // namespace vsp
