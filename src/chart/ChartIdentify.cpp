#include "chart/ChartIdentify.h"

#include <cstdlib>
#include <limits>
#include <span>

#include "catalog/StarAngle.h"

namespace vsp {
namespace {

// Star catalogs this large name their stars the Tycho way when tapped.
constexpr int32_t kTapTychoFrom = 120000;

// One pass of the search: the half-widths of its boxes, in pixels.
struct SearchBoxes {
    int object;      // deep-sky table
    int star;        // star hit list
    int brightSum;   // default stars: |dx| + |dy| must stay below this
};

// Pass r: the deep-sky box grows with the zoom's box factor (tight at the deepest levels, where
// objects crowd), the star boxes with the pixel unit only.
SearchBoxes BoxesOfPass(int pu, int level, int r) {
    const int k = level >= 10 ? 3 : 7;
    return SearchBoxes{pu * r * k, 3 * pu * r, 2 * pu * (3 * pu * r)};
}

bool Near(int ax, int ay, int bx, int by, int box) { return std::abs(ax - bx) <= box && std::abs(ay - by) <= box; }

std::string Clipped(std::string text) {
    if (text.size() > kSelectionNameLength) text.resize(kSelectionNameLength);
    return text;
}

ChartSelection SelectionOfEntry(const ChartObject& o, size_t index) {
    return ChartSelection{o.kind, o.number, o.displayType, o.raHours, o.decDeg, o.magnitudeTenths / 10.0f,
                          Clipped(ChartLabel(o)), int(index)};
}

// The first entry of the deep-sky table or the bodies in the box.
std::optional<ChartSelection> FindObject(const ChartScene& scene, int x, int y, int box) {
    if (!scene.objects) return std::nullopt;
    const std::vector<ChartObject>& objects = *scene.objects;
    for (size_t i = 0; i < objects.size(); ++i) {
        const ChartObject& o = objects[i];
        if (!o.screen.visible || IsMinorBodyEntry(o) || !Near(o.screen.x, o.screen.y, x, y, box)) continue;
        return SelectionOfEntry(o, i);
    }
    return std::nullopt;
}

// The nearest comet or minor planet in the box: they crowd along the ecliptic.
std::optional<ChartSelection> FindMinorBody(const ChartScene& scene, int x, int y, int box) {
    if (!scene.objects) return std::nullopt;
    const std::vector<ChartObject>& objects = *scene.objects;
    size_t best = objects.size();
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < objects.size(); ++i) {
        const ChartObject& o = objects[i];
        if (!o.screen.visible || !IsMinorBodyEntry(o) || !Near(o.screen.x, o.screen.y, x, y, box)) continue;
        const int distance = std::abs(o.screen.x - x) + std::abs(o.screen.y - y);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    if (best == objects.size()) return std::nullopt;
    return SelectionOfEntry(objects[best], best);
}

std::optional<ChartSelection> FindBrightStar(const ChartScene& scene, int x, int y, int bound) {
    if (!scene.stars) return std::nullopt;
    const std::vector<StarRecord>& stars = scene.stars->DefaultStars();
    int best = -1, bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < scene.stars->DefaultStarsRead(); ++i) {
        const StarRecord& s = stars[size_t(i)];
        if (s.hidden != 0) continue;
        const int distance = std::abs(s.screenX - x) + std::abs(s.screenY - y);
        if (distance < bound && distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    if (best < 0) return std::nullopt;
    const StarRecord& s = stars[size_t(best)];
    const std::string name = size_t(best) < scene.brightStarNames.size() ? scene.brightStarNames[size_t(best)] : "";
    return ChartSelection{name.empty() ? kKindHrStar : kKindBrightStar, s.number, kTypeSingleStar,
                          AngleToHours(s.ra), AngleToDegrees(s.dec), s.magnitude / 16.0f, Clipped(name), -1, s};
}

std::optional<ChartSelection> FindListedStar(ChartScene& scene, int x, int y, int box) {
    if (!scene.stars || !scene.stars->ExtendedOpen()) return std::nullopt;
    StarCatalog& catalog = *scene.stars;
    const StarCache& listed = catalog.Cache();
    for (int i = 0; i < listed.Length(); ++i) {
        const StarCacheEntry& entry = listed.At(i);
        if (!Near(entry.screenX, entry.screenY, x, y, box)) continue;
        StarRecord star;
        const int32_t number = catalog.StarBySequence(entry.sequence, star);
        if (number == 0) return std::nullopt;
        const auto [kind, name] = TappedStarIdentity(number, catalog.ExtendedStarCount());
        return ChartSelection{kind, number, kTypeSingleStar, AngleToHours(star.ra), AngleToDegrees(star.dec),
                              star.magnitude / 16.0f, Clipped(name), -1, star};
    }
    return std::nullopt;
}

std::optional<ChartSelection> SearchPass(ChartScene& scene, int x, int y, const SearchBoxes& boxes) {
    if (auto hit = FindObject(scene, x, y, boxes.object)) return hit;
    if (auto hit = FindMinorBody(scene, x, y, boxes.object)) return hit;
    if (auto hit = FindBrightStar(scene, x, y, boxes.brightSum)) return hit;
    return FindListedStar(scene, x, y, boxes.star);
}

}  // namespace

std::pair<int32_t, std::string> TappedStarIdentity(int32_t number, int32_t catalogStarCount) {
    const bool tycho = catalogStarCount >= kTapTychoFrom;
    // The designation rule with the tap's own threshold between the two namings.
    return {tycho ? kKindTychoStar : kKindHipStar, ExtendedStarDesignation(number, tycho ? kTychoStarCountFrom : 0)};
}

std::optional<ChartSelection> IdentifyAt(const ChartView& view, ChartScene& scene, int chartWidth, int x, int y) {
    const bool horizontal = IsHorizontalChart(view.ChartTypeValue());
    x = WrapIntoTurn(x, chartWidth, view.TurnPixels());
    // The horizontal charts widen the search twice, the centred ones once and further.
    const int horizontalPasses[] = {1, 2, 4};
    const int centredPasses[] = {1, 3};
    const std::span<const int> passes = horizontal ? std::span<const int>(horizontalPasses)
                                                   : std::span<const int>(centredPasses);
    for (int r : passes) {
        if (auto hit = SearchPass(scene, x, y, BoxesOfPass(view.PixelUnit(), view.ZoomLevel(), r))) return hit;
    }
    return std::nullopt;
}

}  // namespace vsp
