// The star layers: the default stars with their Bayer letters and Flamsteed numbers, the
// constellation figures and names, the catalog star field of the zoom level and the legend.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "catalog/ConstellationTable.h"
#include "catalog/StarAngle.h"
#include "chart/ChartRedraw.h"
#include "ephemeris/Constants.h"

namespace vsp {

namespace {

// Size index offsets per zoom level: the largest disc is index 0.
constexpr int kNormalOffsets[kZoomLevelCount] = {8, 8, 8, 7, 7, 6, 5, 5, 4, 3, 2, 1, 0, 0};
constexpr int kNightOffsets[kZoomLevelCount] = {7, 7, 7, 6, 6, 5, 4, 4, 3, 2, 1, 0, -1, -1};
constexpr int kScaleTwoOffsets[kZoomLevelCount] = {6, 6, 6, 5, 5, 4, 4, 3, 2, 1, 0, -1, -2, -2};
// Legend row heights by size index (above 9: 9).
constexpr int kLegendSteps[10] = {25, 19, 17, 15, 13, 11, 9, 9, 9, 9};
constexpr int kBayerAlpha = 1, kBayerBeta = 2;

}  // namespace

int ChartRedraw::StarSizeIndex(int sizeClass, int extra) const {
    const int* offsets = scale_ >= 2.0 ? kScaleTwoOffsets : prefs_.nightLevel > 0 ? kNightOffsets : kNormalOffsets;
    return std::clamp(offsets[level_] + sizeClass + extra, 0, kStarSizeCount - 1);
}

int ChartRedraw::StarColourRow(int colourTenths) const {
    return prefs_.nightLevel > 0 ? 2 : StarColourClass(colourTenths);
}

void ChartRedraw::DrawStarSprite(int x, int y, int sizeClass, int colourTenths, int extra) {
    pictures_.DrawStar(canvas_, x, y, StarSizeIndex(sizeClass, extra), StarColourRow(colourTenths));
    ++drawn_.starsDrawn;
}

void ChartRedraw::PlaceBrightStars() {
    const int count = scene_.stars ? scene_.stars->DefaultStarsRead() : 0;
    brightPlaced_.assign(size_t(count), ScreenPoint{});
    view_.WithProjection([&](const auto& projection) {
        for (int i = 0; i < count; ++i) {
            StarRecord& star = scene_.stars->DefaultStars()[size_t(i)];
            ScreenPoint p = PlaceWith(projection, BrightVector(i));
            if (!Inside(p)) p.visible = false;
            brightPlaced_[size_t(i)] = p;
            star.screenX = p.x;
            star.screenY = p.y;
            star.hidden = p.visible ? 0 : 1;
            if (!p.visible) continue;
            const std::string& name =
                size_t(i) < scene_.brightStarNames.size() ? scene_.brightStarNames[size_t(i)] : "";
            AddPlaced(PlacedKind::BrightStar, HrDesignation(star.number), name, p, AngleToHours(star.ra),
                      AngleToDegrees(star.dec));
        }
    });
}

void ChartRedraw::DrawBrightStars() {
    const int classLimit = int(limits_.star);
    const bool letters = level_ >= 7 || (prefs_.starsSymbols && pu_ != 1 && level_ >= 3);
    const bool numbers = level_ >= 7 && prefs_.starsSymbols;
    const int extra = horizontal_ && pu_ == 1 ? 1 : 0;
    canvas_.SetTextColour(palette_.text);
    for (size_t i = 0; i < brightPlaced_.size(); ++i) {
        const ScreenPoint& p = brightPlaced_[i];
        if (!p.visible) continue;
        const StarRecord& star = scene_.stars->DefaultStars()[i];
        const int sizeClass = StarSizeClass(star.magnitude);
        if (level_ <= 1 && sizeClass > classLimit) continue;
        DrawStarSprite(p.x, p.y, sizeClass, star.colour, extra);
        const int bayer = star.extra[1];
        if (letters && bayer > 0 && (level_ >= 6 || bayer == kBayerAlpha || bayer == kBayerBeta)) {
            const char letter[2] = {char(bayer), 0};
            DrawFixedText(p.x - 5 * pu_, p.y - 2 * pu_ - Scaled(8), letter, FontId::Symbol);
        }
        if (numbers && star.extra[0] > 0) {
            DrawFixedText(p.x + 2 * pu_, p.y, std::to_string(star.extra[0]), FontId::Small);
        }
    }
}

void ChartRedraw::DrawConstellationLines(bool endStars) {
    if (!scene_.stars) return;
    canvas_.SetForeColour(palette_.constellationLine);
    const int count = int(brightPlaced_.size());
    const int endExtra = horizontal_ && pu_ == 1 ? 1 : 0;
    for (const ConstellationLine& line : scene_.stars->ConstellationLines()) {
        if (line.from < 0 || line.to < 0 || line.from >= count || line.to >= count) continue;
        const ScreenPoint& a = brightPlaced_[size_t(line.from)];
        const ScreenPoint& b = brightPlaced_[size_t(line.to)];
        if (!a.visible || !b.visible) continue;
        if (CrossesSeam(a, b)) continue;
        if (prefs_.constLines) canvas_.DrawLine(a.x, a.y, b.x, b.y);
        if (!endStars) continue;
        for (int index : {line.from, line.to}) {
            const StarRecord& star = scene_.stars->DefaultStars()[size_t(index)];
            const ScreenPoint& p = brightPlaced_[size_t(index)];
            DrawStarSprite(p.x, p.y, StarSizeClass(star.magnitude), star.colour, endExtra);
        }
        canvas_.SetForeColour(palette_.constellationLine);
    }
}

void ChartRedraw::DrawConstellationNames() {
    const FontId font = LabelFont();
    for (const ConstellationEntry& entry : ConstellationTable()) {
        const ChartVector v = view_.PrecomputeVector(entry.labelRaMilliHours / 1000.0,
                                                     entry.labelDecCentiDegrees / 100.0, false);
        const ScreenPoint p = Place(v);
        if (!Inside(p)) continue;
        NameRequest name{.rank = kRankConstellation, .text = std::string(ConstellationLabel(entry)), .font = font,
                         .colour = palette_.constellationName};
        const TextExtent extent = canvas_.MeasureText(name.text, font);
        name.x = p.x - extent.width / 2;
        name.y = p.y - extent.height / 2;
        RequestName(std::move(name));
    }
}

namespace {

// The catalog walk's view of this redraw: each star it hands over goes to the redraw.
class StarFieldTarget : public StarWalkTarget {
public:
    StarFieldTarget(const std::function<bool(const StarRecord&, int16_t&, int16_t&)>& draw,
                    const std::function<bool()>& stopRequested)
        : draw_(draw), stopRequested_(stopRequested) {}
    bool DrawStar(const StarRecord& star, int, int, int16_t& x, int16_t& y) override { return draw_(star, x, y); }
    bool StopRequested() override {
        if (stopRequested_ && stopRequested_()) stopped = true;
        return stopped;
    }
    bool stopped = false;

private:
    const std::function<bool(const StarRecord&, int16_t&, int16_t&)>& draw_;
    const std::function<bool()>& stopRequested_;
};

// The right-ascension strip (whole minutes) of a set of sampled right ascensions: the circle
// less its largest empty gap, widened by `marginMinutes` on each side.
void RaWindows(std::vector<double>& raMinutes, double marginMinutes, RaMinuteWindow (&windows)[2]) {
    std::sort(raMinutes.begin(), raMinutes.end());
    double gap = 1440.0 - raMinutes.back() + raMinutes.front();
    double start = raMinutes.front(), end = raMinutes.back();
    for (size_t i = 1; i < raMinutes.size(); ++i) {
        if (raMinutes[i] - raMinutes[i - 1] > gap) {
            gap = raMinutes[i] - raMinutes[i - 1];
            start = raMinutes[i];
            end = raMinutes[i - 1] + 1440.0;
        }
    }
    start -= marginMinutes;
    end += marginMinutes;
    if (gap < 2 * marginMinutes || end - start >= 1440.0) {
        windows[0] = {0, 1440};
        windows[1] = {0, 0};
        return;
    }
    const int low = int(std::floor(start)), high = int(std::ceil(end));
    const int wrappedLow = ((low % 1440) + 1440) % 1440;
    if (wrappedLow + (high - low) <= 1440) {
        windows[0] = {wrappedLow, wrappedLow + (high - low)};
        windows[1] = {0, 0};
    } else {
        windows[0] = {wrappedLow, 1440};
        windows[1] = {0, wrappedLow + (high - low) - 1440};
    }
}

}  // namespace

void ChartRedraw::DrawCatalogStars() {
    if (!scene_.stars || !scene_.stars->ExtendedOpen()) return;
    // The band of the sky the chart shows, from the inverse projection of a grid of pixels.
    StarWalkView walk;
    walk.limitingMagnitude = limits_.star;
    walk.lowestDec = 90.0f;
    walk.highestDec = -90.0f;
    std::vector<double> raMinutes;
    constexpr int kSamples = 12;
    for (int i = 0; i <= kSamples; ++i) {
        for (int j = 0; j <= kSamples; ++j) {
            const SkyDirection d = CatalogAtPixel(width_ * i / kSamples, height_ * j / kSamples);
            walk.lowestDec = std::min(walk.lowestDec, float(d.second));
            walk.highestDec = std::max(walk.highestDec, float(d.second));
            raMinutes.push_back(d.first * 60.0);
        }
    }
    const double margin = FieldOfViewTenths(level_) / 10.0 / kSamples + 0.5;
    walk.lowestDec = std::max(-90.0f, walk.lowestDec - float(margin));
    walk.highestDec = std::min(90.0f, walk.highestDec + float(margin));
    // Near a pole every right ascension is in view.
    const double poleDistance = std::min(90.0 - walk.highestDec, 90.0 + walk.lowestDec);
    const double widestDec = std::max(std::abs(walk.lowestDec), std::abs(walk.highestDec));
    const double raMargin = margin * 4.0 / std::max(0.05, std::cos(widestDec * kDegToRad));
    if (poleDistance < 1.0) {
        walk.windows[0] = {0, 1440};
    } else {
        RaWindows(raMinutes, raMargin, walk.windows);
    }
    const int extra = horizontal_ ? 1 : 0;
    view_.WithProjection([&](const auto& projection) {
        const std::function<bool(const StarRecord&, int16_t&, int16_t&)> draw = [&](const StarRecord& star,
                                                                                      int16_t& x, int16_t& y) {
            const ScreenPoint p = PlaceWith(projection, view_.CatalogVector(star.ra, star.dec));
            if (!Inside(p)) return false;
            DrawStarSprite(p.x, p.y, StarSizeClass(star.magnitude), star.colour, extra);
            x = int16_t(p.x);
            y = int16_t(p.y);
            AddPlaced(PlacedKind::Star, scene_.stars->Designation(star.number), "", p, AngleToHours(star.ra),
                      AngleToDegrees(star.dec));
            return true;
        };
        StarFieldTarget target(draw, options_.stopRequested);
        scene_.stars->WalkRegion(walk, target);
        drawn_.stopped = target.stopped;
    });
    drawn_.starsListed = scene_.stars->Cache().Length();
}

void ChartRedraw::DrawStarsLegend() {
    const int rows = std::max(0, int(limits_.star));
    int height = Scaled(6);
    for (int m = 0; m < rows; ++m) height += Scaled(kLegendSteps[std::min(StarSizeIndex(m, 0), 9)]);
    const Rect box = MakeRect(0, 0, Scaled(25), height);
    canvas_.SetBackColour(palette_.background);
    canvas_.FillRect(box);
    taken_.push_back(box);
    canvas_.SetTextColour(palette_.text);
    int y = Scaled(3);
    for (int m = 0; m < rows; ++m) {
        const int step = Scaled(kLegendSteps[std::min(StarSizeIndex(m, 0), 9)]);
        pictures_.DrawStar(canvas_, Scaled(6), y + step / 2, StarSizeIndex(m, 0), 2);
        canvas_.DrawText(Scaled(6) + Scaled(12), y + step / 2 - Scaled(6), std::to_string(m), FontId::Small,
                         TextBackground::Transparent);
        y += step;
    }
}

}  // namespace vsp
