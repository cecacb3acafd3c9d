// The chart's pictures: the drawn coverage maps become sprite sheets in the style's colours,
// and the Moon's image is scaled and lit for each drawing.

#include "chart/ChartPictures.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <numbers>

#include "chart/ChartPalette.h"
#include "chart/tables/ChartPictureData.h"
#include "ephemeris/Constants.h"

namespace vsp {
namespace {

namespace data = picture_data;

constexpr int kSymbolCells = 8;
constexpr int kSpecialCount = 13;
// The Moon's image is grey, or pure red at night, so it never holds this colour.
constexpr Colour kMoonKey = MakeColour(255, 0, 255);
// The unlit part keeps this fraction of the image: very dark, yet opaque over the stars.
constexpr double kMoonShade = 0.12;

int Grey(Colour c) { return (299 * ColourRed(c) + 587 * ColourGreen(c) + 114 * ColourBlue(c) + 500) / 1000; }

uint8_t Mix(int from, int to, double alpha) { return uint8_t(std::lround(from + (to - from) * alpha)); }

Colour Mix(Colour from, Colour to, double alpha) {
    return MakeColour(Mix(ColourRed(from), ColourRed(to), alpha), Mix(ColourGreen(from), ColourGreen(to), alpha),
                      Mix(ColourBlue(from), ColourBlue(to), alpha));
}

Colour GreyColour(int grey) { return MakeColour(uint8_t(grey), uint8_t(grey), uint8_t(grey)); }

Colour InkColour(const data::PictureInk& ink) { return MakeColour(ink.red, ink.green, ink.blue); }

void PutPixel(Canvas& canvas, int x, int y, Colour colour) {
    canvas.SetBackColour(colour);
    canvas.FillRect(MakeRect(x, y, 1, 1));
}

// A new sheet of the transparent colour; false (and an empty sheet) without memory.
bool NewSheet(Canvas& sheet, int width, int height, Colour transparent) {
    if (!sheet.Create(width, height)) return false;
    sheet.SetBackColour(transparent);
    sheet.FillRect(MakeRect(0, 0, width, height));
    return true;
}

// The grey level of the image at (u, v) in image pixels, interpolated between the four
// nearest pixels.
double SampleMoon(double u, double v) {
    const int last = data::kMoonSide - 1;
    u = std::clamp(u, 0.0, double(last));
    v = std::clamp(v, 0.0, double(last));
    const int u0 = std::min(int(u), last - 1), v0 = std::min(int(v), last - 1);
    const double fu = u - u0, fv = v - v0;
    const auto at = [](int column, int row) { return double(data::kMoonGrey[row * data::kMoonSide + column]); };
    const double upper = at(u0, v0) * (1 - fu) + at(u0 + 1, v0) * fu;
    const double lower = at(u0, v0 + 1) * (1 - fu) + at(u0 + 1, v0 + 1) * fu;
    return upper * (1 - fv) + lower * fv;
}

// How much sunlight falls on the point (x, y) of the disc (in Moon radii, y up): each row of
// half-width w is lit on one side of x = ±w cos(2 pi phase), the right side while waxing.
// The half-width reaches half a pixel beyond the limb, so the full Moon has no dark rim and
// the new Moon no lit one; the terminator is one pixel soft.
double Sunlight(double x, double y, double phase, int radius) {
    const double halfWidth = std::sqrt(std::max(0.0, 1 - y * y)) + 0.5 / radius;
    const double terminator = halfWidth * std::cos(kTwoPi * phase);
    const double beyond = phase > 0.5 ? x + terminator : terminator - x;
    return std::clamp(0.5 + beyond * radius, 0.0, 1.0);
}

// The comet's coverage at (u, v), in pixels of its drawing of side `side`, interpolated
// between the four nearest pixels; none outside the cell.
double SampleComet(const uint8_t* map, int side, double u, double v) {
    const auto at = [&](int column, int row) {
        return column < 0 || row < 0 || column >= side || row >= side ? 0.0 : double(map[row * side + column]);
    };
    const double cu = u - 0.5, cv = v - 0.5;
    const int u0 = int(std::floor(cu)), v0 = int(std::floor(cv));
    const double fu = cu - u0, fv = cv - v0;
    const double upper = at(u0, v0) * (1 - fu) + at(u0 + 1, v0) * fu;
    const double lower = at(u0, v0 + 1) * (1 - fu) + at(u0 + 1, v0 + 1) * fu;
    return upper * (1 - fv) + lower * fv;
}

constexpr int kCometNumber = 11;

// The shapes the symbol cells are drawn from (scripts/pictures), in pixels about the cell's
// middle: for vector pages, where they stay sharp at any enlargement.
void DrawSymbolShape(DrawSurface& canvas, double cx, double cy, int cell, Colour ink) {
    constexpr double kPen = kSymbolCell / 15.0;
    const auto line = [&](double x0, double y0, double x1, double y1) {
        canvas.StrokePath({{cx + x0, cy + y0}, {cx + x1, cy + y1}}, false, kPen, ink);
    };
    switch (cell) {
        case 1: {  // galaxy: an ellipse 9 x 3.8 pixels, its long axis 30 degrees below the x axis
            std::vector<PointF> outline;
            const double c = std::cos(30 * kDegToRad), s = std::sin(30 * kDegToRad);
            for (int i = 0; i < 48; ++i) {
                const double t = i * kTwoPi / 48, u = 9.0 * std::cos(t), v = 3.8 * std::sin(t);
                outline.push_back({cx + u * c - v * s, cy + u * s + v * c});
            }
            canvas.StrokePath(outline, true, 1.1, ink);
            break;
        }
        case 2:  // open cluster: twelve dots on a circle
            for (int d = 0; d < 360; d += 30)
                canvas.FillDisc(cx + 8 * std::cos(d * kDegToRad), cy + 8 * std::sin(d * kDegToRad), 0.9, ink);
            break;
        case 3:  // globular cluster: a circle with a cross
            canvas.StrokeCircle(cx, cy, 8.0, kPen, ink);
            line(-8, 0, 8, 0);
            line(0, -8, 0, 8);
            break;
        case 4:  // other: a square
            canvas.StrokePath({{cx - 5.5, cy - 5.5}, {cx + 5.5, cy - 5.5}, {cx + 5.5, cy + 5.5}, {cx - 5.5, cy + 5.5}},
                              true, 1.0, ink);
            break;
        case 5:  // planetary nebula: a small circle with four rays
            canvas.StrokeCircle(cx, cy, 4.2, kPen, ink);
            line(4.5, 0, 9, 0);
            line(-4.5, 0, -9, 0);
            line(0, 4.5, 0, 9);
            line(0, -4.5, 0, -9);
            break;
        case 7:  // multiple star: a dot on a line
            canvas.FillDisc(cx, cy, 2.8, ink);
            line(-9, 0, 9, 0);
            break;
        default: break;
    }
}

}  // namespace

void ChartPictures::SetStyle(const PictureStyle& style) {
    if (style == style_) return;
    style_ = style;
    background_ = MakeChartPalette(style.background, 0).background;
    built_ = false;
}

Colour ChartPictures::Paint(double alpha, Colour ink, int grey) const {
    if (style_.nightLevel <= 0) return Mix(background_, ink, alpha);
    return MakeColour(uint8_t(Mix(Grey(background_), grey, alpha) * NightRedIntensity(style_.nightLevel) / 255), 0, 0);
}

void ChartPictures::PaintCell(Canvas& sheet, int left, int top, int side, const uint8_t* map, int mapSide,
                              Colour ink) const {
    const int grey = data::kMonochromeGrey[style_.background == kBackgroundWhite];
    const auto nearest = [&](int i) { return (2 * i + 1) * mapSide / (2 * side); };
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const int cover = map[nearest(row) * mapSide + nearest(column)];
            if (cover > 0) PutPixel(sheet, left + column, top + row, Paint(cover / 255.0, ink, grey));
        }
    }
}

void ChartPictures::Build() {
    built_ = true;
    transparent_ = Paint(0, kColourBlack, 0);
    const int tone = style_.background == kBackgroundWhite;
    const int mono = data::kMonochromeGrey[tone];
    for (int size = 0; size < kStarSizeCount; ++size) {
        int reach = 0;
        for (int i = 0; i < kStarCell * kStarCell; ++i) {
            if (data::kStarCoverage[size][i] > 0) reach = std::max({reach, std::abs(i / kStarCell - 6), std::abs(i % kStarCell - 6)});
        }
        starReach_[size_t(size)] = reach;
        // The disc of a vector page holds as much ink as the sprite.
        double ink = 0.0;
        for (int i = 0; i < kStarCell * kStarCell; ++i) ink += data::kStarCoverage[size][i] / 255.0;
        starDisc_[size_t(size)] = std::sqrt(ink / std::numbers::pi);
    }
    if (NewSheet(stars_, kStarCell * kStarSizeCount, kStarCell * kStarColourCount, transparent_)) {
        for (int colour = 0; colour < kStarColourCount; ++colour) {
            const Colour ink = style_.monochrome ? GreyColour(mono) : InkColour(data::kStarInks[tone][colour]);
            starInk_[size_t(colour)] = Paint(1.0, ink, mono);
            for (int size = 0; size < kStarSizeCount; ++size)
                PaintCell(stars_, kStarCell * size, kStarCell * colour, kStarCell, data::kStarCoverage[size],
                          kStarCell, ink);
        }
    }
    if (NewSheet(symbols_, kSymbolCell * kSymbolCells, kSymbolCell, transparent_)) {
        for (int cell = 0; cell < kSymbolCells; ++cell) {
            PaintCell(symbols_, kSymbolCell * cell, 0, kSymbolCell, data::kSymbolCoverage[cell], kSymbolCell,
                      InkColour(data::kSymbolInks[tone][cell]));
            symbolInk_[size_t(cell)] = Paint(1.0, InkColour(data::kSymbolInks[tone][cell]), mono);
        }
    }
    // The larger drawings serve from one and a half times the small size up.
    specialSide_ = std::max(1, int(std::lround(data::kSpecialSmall * style_.scale)));
    const bool large = 2 * specialSide_ >= 3 * data::kSpecialSmall;
    const int mapSide = large ? data::kSpecialLarge : data::kSpecialSmall;
    if (NewSheet(specials_, specialSide_ * kSpecialCount, specialSide_, transparent_)) {
        for (int number = 0; number < kSpecialCount; ++number)
            PaintCell(specials_, specialSide_ * number, 0, specialSide_,
                      large ? data::kSpecialLargeCoverage[number] : data::kSpecialSmallCoverage[number], mapSide,
                      InkColour(data::kSpecialInks[tone][number]));
    }
    // The comet turns about its head: its cells reach from there to the tail's end any way.
    const uint8_t* comet = large ? data::kSpecialLargeCoverage[kCometNumber] : data::kSpecialSmallCoverage[kCometNumber];
    const double* head = large ? data::kCometHeadLarge : data::kCometHeadSmall;
    double reach = 0.0;
    for (int i = 0; i < mapSide * mapSide; ++i) {
        if (comet[i] > 0) reach = std::max(reach, std::hypot(i % mapSide + 0.5 - head[0], i / mapSide + 0.5 - head[1]));
    }
    cometReach_ = int(std::ceil(reach * specialSide_ / mapSide)) + 1;
    cometPainted_.fill(false);
    NewSheet(comets_, (2 * cometReach_ + 1) * kCometTurns, 2 * cometReach_ + 1, transparent_);
    if (NewSheet(satellite_, specialSide_, specialSide_, transparent_))
        PaintCell(satellite_, 0, 0, specialSide_, large ? data::kSatelliteLargeCoverage : data::kSatelliteSmallCoverage,
                  mapSide, InkColour(data::kSatelliteInk[tone][0]));
    if (NewSheet(meteor_, data::kMeteorSide, data::kMeteorSide, transparent_))
        PaintCell(meteor_, 0, 0, data::kMeteorSide, data::kMeteorCoverage, data::kMeteorSide,
                  InkColour(data::kMeteorInk[tone][0]));
}

void ChartPictures::DrawStar(DrawSurface& canvas, int x, int y, int sizeIndex, int colourClass) {
    if (sizeIndex < 0 || sizeIndex >= kStarSizeCount || colourClass < 0 || colourClass >= kStarColourCount) return;
    if (!built_) Build();
    if (canvas.DrawsShapes()) {
        canvas.FillDisc(x + 0.5, y + 0.5, starDisc_[size_t(sizeIndex)], starInk_[size_t(colourClass)]);
        return;
    }
    // Only the inked square about the centre: most stars are a few pixels of a 13 x 13 cell.
    const int h = starReach_[size_t(sizeIndex)];
    canvas.CopySprite(stars_, MakeRect(kStarCell * sizeIndex + 6 - h, kStarCell * colourClass + 6 - h, 2 * h + 1, 2 * h + 1),
                      x - h, y - h, transparent_);
}

void ChartPictures::DrawSymbol(DrawSurface& canvas, int x, int y, int cell) {
    if (cell < 0 || cell >= kSymbolCells) return;
    if (!built_) Build();
    if (canvas.DrawsShapes()) {
        DrawSymbolShape(canvas, x + 0.5, y + 0.5, cell, symbolInk_[size_t(cell)]);
        return;
    }
    canvas.CopySprite(symbols_, MakeRect(kSymbolCell * cell, 0, kSymbolCell, kSymbolCell), x - 10, y - 10,
                      transparent_);
}

void ChartPictures::DrawSpecial(DrawSurface& canvas, int x, int y, int number) {
    if (number < 0 || number >= kSpecialCount) return;
    if (!built_) Build();
    const int half = specialSide_ / 2;
    canvas.CopySprite(specials_, MakeRect(specialSide_ * number, 0, specialSide_, specialSide_), x - half, y - half,
                      transparent_);
}

void ChartPictures::PaintCometTurn(int turn) {
    cometPainted_[size_t(turn)] = true;
    const bool large = 2 * specialSide_ >= 3 * data::kSpecialSmall;
    const int mapSide = large ? data::kSpecialLarge : data::kSpecialSmall;
    const uint8_t* comet = large ? data::kSpecialLargeCoverage[kCometNumber] : data::kSpecialSmallCoverage[kCometNumber];
    const double* head = large ? data::kCometHeadLarge : data::kCometHeadSmall;
    const double toMap = double(mapSide) / specialSide_;
    // Each pixel of the turned cell looks back by the turn into the drawing.
    const double turnBack = (data::kCometTailDeg - turn * (360.0 / kCometTurns)) * kDegToRad;
    const double c = std::cos(turnBack), s = std::sin(turnBack);
    const int side = 2 * cometReach_ + 1, left = turn * side;
    const int grey = data::kMonochromeGrey[style_.background == kBackgroundWhite];
    const Colour ink = InkColour(data::kSpecialInks[style_.background == kBackgroundWhite][kCometNumber]);
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const double ox = (column - cometReach_) * toMap, oy = (row - cometReach_) * toMap;
            const double cover = SampleComet(comet, mapSide, head[0] + c * ox - s * oy, head[1] + s * ox + c * oy);
            if (cover >= 1.0) PutPixel(comets_, left + column, row, Paint(std::min(cover, 255.0) / 255.0, ink, grey));
        }
    }
}

void ChartPictures::DrawComet(DrawSurface& canvas, int x, int y, double dx, double dy, int tailLine) {
    if (!built_) Build();
    const bool turned = dx != 0.0 || dy != 0.0;
    const double degrees = turned ? std::atan2(dy, dx) / kDegToRad : data::kCometTailDeg;
    const int step = 360 / kCometTurns;
    const int turn = ((int(std::lround(degrees / step)) % kCometTurns) + kCometTurns) % kCometTurns;
    if (comets_.Width() == 0) return;
    if (!cometPainted_[size_t(turn)]) PaintCometTurn(turn);
    const int side = 2 * cometReach_ + 1;
    canvas.CopySprite(comets_, MakeRect(turn * side, 0, side, side), x - cometReach_, y - cometReach_, transparent_);
    if (tailLine <= 0 || !turned) return;
    const double length = std::hypot(dx, dy);
    const int endX = x + int(std::lround(dx / length * tailLine)), endY = y + int(std::lround(dy / length * tailLine));
    const int tone = style_.background == kBackgroundWhite;
    canvas.SetForeColour(Paint(0.8, InkColour(data::kSpecialInks[tone][kCometNumber]), data::kMonochromeGrey[tone]));
    canvas.DrawLine(x, y, endX, endY);
    // A second pixel's width at the larger scales, across the line's main direction.
    if (style_.scale >= 1.5) {
        const int across = std::abs(dy) > std::abs(dx) ? 1 : 0;
        canvas.DrawLine(x + across, y + 1 - across, endX + across, endY + 1 - across);
    }
}

void ChartPictures::DrawSatellite(DrawSurface& canvas, int x, int y) {
    if (!built_) Build();
    const int half = specialSide_ / 2;
    canvas.CopySprite(satellite_, MakeRect(0, 0, specialSide_, specialSide_), x - half, y - half, transparent_);
}

void ChartPictures::DrawMeteorShower(DrawSurface& canvas, int x, int y) {
    if (!built_) Build();
    canvas.CopySprite(meteor_, MakeRect(0, 0, data::kMeteorSide, data::kMeteorSide), x - 5, y - 5, transparent_);
}

void ChartPictures::DrawMoon(DrawSurface& canvas, int x, int y, int radius, double phase) {
    if (radius <= 0) return;
    // Only the part inside the clip is scaled, so a Moon zoomed far beyond the chart costs no
    // more than the chart.
    const Rect& clip = canvas.Clip();
    const int left = std::max(x - radius, clip.left), top = std::max(y - radius, clip.top);
    const int right = std::min(x + radius, clip.right), bottom = std::min(y + radius, clip.bottom);
    if (left >= right || top >= bottom || !NewSheet(moon_, right - left, bottom - top, kMoonKey)) return;
    PaintMoon(left - (x - radius), top - (y - radius), radius, phase);
    canvas.CopySprite(moon_, MakeRect(0, 0, right - left, bottom - top), left, top, kMoonKey);
}

void ChartPictures::PaintMoon(int left, int top, int radius, double phase) {
    const double imageScale = double(data::kMoonSide) / (2 * radius);
    for (int row = 0; row < moon_.Height(); ++row) {
        for (int column = 0; column < moon_.Width(); ++column) {
            const double px = left + column + 0.5, py = top + row + 0.5;  // from the disc's top-left
            const double x = px / radius - 1, y = 1 - py / radius;
            const double cover = std::clamp(radius + 0.5 - std::hypot(x, y) * radius, 0.0, 1.0);
            if (cover <= 0) continue;
            const double light = kMoonShade + (1 - kMoonShade) * Sunlight(x, y, phase, radius);
            const int grey = int(std::lround(SampleMoon(px * imageScale - 0.5, py * imageScale - 0.5) * light));
            PutPixel(moon_, column, row, Paint(cover, GreyColour(grey), grey));
        }
    }
}

}  // namespace vsp
