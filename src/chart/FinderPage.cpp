// The finder page around its chart: the target's data, the magnitude legend and the scale bar
// below an upright page's chart (data left, legend right) or beside a wide page's, and the
// footer at the foot of that panel.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chart/FinderChart.h"

namespace vsp {
namespace {

constexpr double kPoint = kFinderDpi / 72.0;
constexpr double kTextScale = 1.6;   // the canvas fonts at about 9 and 7 points
constexpr double kTitleScale = 2.2;
constexpr double kPanelPoints = 180.0;  // the least room the data needs beside or below the chart
constexpr Colour kText = kColourBlack;
constexpr Colour kQuiet = MakeColour(90, 90, 90);

struct Column {
    Rect box;
    int y;  // next line's top
};

void Line(DrawSurface& surface, Column& column, const std::string& text, FontId font, Colour colour) {
    surface.SetTextColour(colour);
    surface.DrawText(column.box.left, column.y, text, font, TextBackground::Transparent);
    column.y += surface.MeasureText(text.empty() ? " " : text, font).height + int(kPoint);
}

void DrawLegend(DrawSurface& surface, Column& column, float limit) {
    Line(surface, column, "Star magnitudes", FontId::Small, kQuiet);
    const int faintest = int(std::floor(limit)), brightest = std::max(0, faintest - 11);
    const int count = faintest - brightest + 1;
    const double step = std::min(24.0 * kPoint, (column.box.right - column.box.left) / double(std::max(1, count)));
    const double discY = column.y + 6 * kPoint;
    for (int m = brightest; m <= faintest; ++m) {
        const double x = column.box.left + (m - brightest + 0.5) * step;
        surface.FillDisc(x, discY, FinderStarRadius(float(m), limit), kColourBlack);
        const std::string number = std::to_string(m);
        const TextExtent size = surface.MeasureText(number, FontId::Small);
        surface.SetTextColour(kText);
        surface.DrawText(int(x) - size.width / 2, int(discY + 7 * kPoint), number, FontId::Small,
                         TextBackground::Transparent);
    }
    column.y = int(discY + 7 * kPoint) + surface.MeasureText("0", FontId::Small).height + int(6 * kPoint);
}

// A round length of sky about a quarter of the chart across, drawn to scale with its label.
void DrawScaleBar(DrawSurface& surface, Column& column, const FinderDrawn& drawn, double fovDeg, std::string& label) {
    constexpr double kArcmin[] = {1, 2, 5, 10, 15, 20, 30, 60, 120, 300, 600, 1200, 1800};
    double arcmin = kArcmin[0];
    for (const double a : kArcmin)
        if (a <= fovDeg * 60.0 / 4.0) arcmin = a;
    char text[16];
    if (arcmin >= 60) std::snprintf(text, sizeof text, "%d\xB0", int(arcmin / 60));
    else std::snprintf(text, sizeof text, "%d'", int(arcmin));
    label = text;
    const double length = arcmin / 60.0 * drawn.pixelsPerDegree;
    const double x0 = column.box.left + 2 * kPoint, y = column.y + 4 * kPoint, tick = 3 * kPoint;
    surface.StrokePath({{x0, y}, {x0 + length, y}}, false, 1.2 * kPoint, kColourBlack);
    for (const double x : {x0, x0 + length}) surface.StrokePath({{x, y - tick}, {x, y + tick}}, false, 1.2 * kPoint, kColourBlack);
    surface.SetTextColour(kText);
    const int textHeight = surface.MeasureText(label, FontId::Small).height;
    surface.DrawText(int(x0 + length + 5 * kPoint), int(y) - textHeight / 2, label, FontId::Small,
                     TextBackground::Transparent);
    column.y = int(y + tick) + int(4 * kPoint);
}

}  // namespace

void DrawFinderSheet(DrawSurface& surface, StarCatalog& stars, const std::vector<std::string>& starNames,
                     const std::vector<ChartObject>& objects, const FinderSheet& sheet, FinderDrawn& drawn) {
    const int width = surface.Width(), height = surface.Height();
    const int gap = int(10 * kPoint), panelRoom = int(kPanelPoints * kPoint);
    const bool upright = height >= width;
    const int side = upright ? std::min(width, height - panelRoom - gap) : std::min(height, width - panelRoom - gap);
    const Rect chart = upright ? MakeRect((width - side) / 2, 0, side, side) : MakeRect(0, (height - side) / 2, side, side);
    const Rect panel = upright ? Rect{0, side + gap, width, height} : Rect{side + gap, 0, width, height};
    surface.SetBackColour(kColourWhite);
    surface.FillRect(MakeRect(0, 0, width, height));
    surface.SetTextScale(kTextScale);
    DrawFinderField(surface, stars, starNames, objects, sheet,
                    FinderFrame({sheet.raHours, sheet.decDeg}, sheet.fovDeg, chart, sheet.view), drawn);

    // The footer from the panel's foot upwards, so the data above never runs into it.
    int footerTop = panel.bottom;
    for (auto line = sheet.footer.rbegin(); line != sheet.footer.rend(); ++line)
        footerTop -= surface.MeasureText(line->empty() ? " " : *line, FontId::Small).height + int(kPoint);
    const int split = upright ? panel.left + (panel.right - panel.left) * 58 / 100 : panel.right;
    Column data{Rect{panel.left, panel.top, split - gap, footerTop}, panel.top};
    surface.SetClip(data.box);
    surface.SetTextScale(kTitleScale);
    Line(surface, data, sheet.title, FontId::Bold, kText);
    surface.SetTextScale(kTextScale);
    for (const std::string& text : sheet.data) Line(surface, data, text, FontId::Normal, kText);
    Column keys = upright ? Column{Rect{split, panel.top, panel.right, footerTop}, panel.top + int(4 * kPoint)}
                          : Column{data.box, data.y + gap};
    surface.SetClip(keys.box);
    DrawLegend(surface, keys, sheet.starLimit);
    DrawScaleBar(surface, keys, drawn, sheet.fovDeg, drawn.scaleLabel);
    surface.ResetClip();
    surface.StrokePath({{double(panel.left), footerTop - 2 * kPoint}, {double(panel.right), footerTop - 2 * kPoint}},
                    false, 0.5 * kPoint, kQuiet);
    Column footer{Rect{panel.left, footerTop, panel.right, panel.bottom}, footerTop};
    for (const std::string& text : sheet.footer) Line(surface, footer, text, FontId::Small, kQuiet);
}

}  // namespace vsp
