// The finder overlays measured on the pixels of a redraw with a selected star and no catalogs:
// ring, circle and frame sizes against the published numbers of a finder, an eyepiece and a
// sensor, and the field labels.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "chart/ChartLabels.h"
#include "chart/ChartSetup.h"

namespace vsp::test {
namespace {

constexpr int kWidth = 480, kHeight = 640, kCx = kWidth / 2, kCy = kHeight / 2;

// k of the redraw at level 8 (labelled 10 degrees): whole display scale / (0.375 x 10).
double PixelsPerArcminute(int dpi) { return int(dpi / 96.0) / (0.375 * 10.0); }

// Level 8 of "Equatorial Sky" turned to a selected star at (6h, 0), nothing else on it.
ChartDrawn DrawOverlays(Preferences prefs, ChartScene& scene, int dpi, Canvas& canvas, int level = 8) {
    prefs.chartType = kChartEquatorialSky;
    prefs.hideGrid = true;
    scene.selectedStar = ChartMark{.raHours = 6.0, .decDeg = 0.0};
    ChartView view;
    SetViewFromPreferences(view, prefs, dpi / 48, kWidth, kHeight, {2026, 1, 15, 21, 0, 0}, EphemerisSettings{});
    view.SetZoomLevel(level);
    canvas.Create(kWidth, kHeight);
    ChartPictures pictures;
    ChartDrawn drawn;
    RenderChart(canvas, view, pictures, prefs, scene, {.scale = dpi / 96.0}, drawn);
    return drawn;
}

bool IsOverlay(const Canvas& canvas, int x, int y) {
    return canvas.At(x, y) == PackRgb565(MakeChartPalette(0, 0).overlay);
}

// Mean distance from the centre of the overlay pixels of each ring (gaps over 3 pixels part
// them), below the centre where no label goes and off the vertical line.
std::vector<double> RingRadii(const Canvas& canvas) {
    std::vector<double> d;
    for (int y = kCy + 1; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (x != kCx && IsOverlay(canvas, x, y)) d.push_back(std::hypot(x - kCx, y - kCy));
    std::sort(d.begin(), d.end());
    std::vector<double> radii;
    for (size_t first = 0, i = 1; i <= d.size(); ++i) {
        if (i < d.size() && d[i] - d[i - 1] <= 3.0) continue;
        radii.push_back(std::accumulate(d.begin() + long(first), d.begin() + long(i), 0.0) / double(i - first));
        first = i;
    }
    return radii;
}

// How far right of (or below) the centre the frame's edge runs: 21 overlay pixels in a row.
int EdgeOffset(const Canvas& canvas, bool right) {
    for (int d = 1; d < kCx; ++d) {
        int run = 0;
        for (int t = -10; t <= 10; ++t)
            run += right ? IsOverlay(canvas, kCx + d, kCy + t) : IsOverlay(canvas, kCx + t, kCy + d);
        if (run == 21) return d;
    }
    return -1;
}

TEST(ChartOverlays, TelradRingsAndAnEyepieceFieldScaleWithTheWholeDisplayFactor) {
    Preferences prefs;
    prefs.telrad = true;
    prefs.telradRings = {0.5f, 2.0f, 4.0f};
    ChartScene scene;
    Canvas canvas;
    const double k = PixelsPerArcminute(144);  // scale 1.5, of which the sizes take the whole 1
    DrawOverlays(prefs, scene, 144, canvas);
    std::vector<double> radii = RingRadii(canvas);
    ASSERT_EQ(radii.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(radii[i], prefs.telradRings[i] * 60.0 * k, 1.0) << i;
    EXPECT_TRUE(IsOverlay(canvas, kCx + int(radii[2]) - 1, kCy));  // the cross reaches the third ring
    // A 25 mm 52 degree eyepiece on a 1000 mm telescope: 40x, a 78-arcminute field.
    prefs.telrad = false;
    prefs.fovEyepiece = true;
    scene.telescopeFocalMm = 1000.0;
    EXPECT_FALSE(DrawOverlays(prefs, scene, 144, canvas).overlays.eyepiecePx);  // no eyepiece chosen
    EXPECT_TRUE(RingRadii(canvas).empty());
    scene.eyepiece = Eyepiece{"Tele Vue", "TVE", "Plossl 25mm", 25.0f, 52.0f};
    EXPECT_EQ(DrawOverlays(prefs, scene, 144, canvas).overlays.eyepieceLabel, "Plossl 25mm 40");
    radii = RingRadii(canvas);
    ASSERT_EQ(radii.size(), 1u);
    EXPECT_NEAR(radii[0], 78.0 * k, 1.0);
}

TEST(ChartOverlays, ACcdFrameOf8By6mmAt1000mmFromLevel7Up) {
    Preferences prefs;
    prefs.fovCcd = true;
    prefs.ccdWidth = 1600;  // 5-micron pixels
    prefs.ccdHeight = 1200;
    prefs.ccdFocalLength = 1000;
    ChartScene scene;
    Canvas canvas;
    const ChartDrawn drawn = DrawOverlays(prefs, scene, 192, canvas);
    // The field as twice the arcminutes of the angle a whole side subtends.
    const double arcminutes = 2.0 * 180.0 * 60.0 / std::numbers::pi, k = PixelsPerArcminute(192);
    EXPECT_EQ(EdgeOffset(canvas, true), int(std::atan(8.0 / 1000.0) * arcminutes * k));
    EXPECT_EQ(EdgeOffset(canvas, false), int(std::atan(6.0 / 1000.0) * arcminutes * k));
    EXPECT_EQ(drawn.overlays.ccdLabels, (std::vector<std::string>{"55'00''", "41'15''"}));
    EXPECT_FALSE(DrawOverlays(prefs, scene, 192, canvas, 6).overlays.ccdHalfPx);
    EXPECT_EQ(EdgeOffset(canvas, true), -1);

    // 4-micron pixels (6.4 x 4.8 mm) turned by 90 degrees: the long side upright, the corners
    // a quarter turn on.
    prefs.ccdPixelSize = 4.0f;
    prefs.ccdRotation = 90.0f;
    DrawOverlays(prefs, scene, 192, canvas);
    const int halfWidth = int(std::atan(6.4 / 1000.0) * arcminutes * k);
    const int halfHeight = int(std::atan(4.8 / 1000.0) * arcminutes * k);
    EXPECT_NEAR(EdgeOffset(canvas, true), halfHeight, 1);
    EXPECT_NEAR(EdgeOffset(canvas, false), halfWidth, 1);
    for (const auto& [sx, sy] : {std::pair{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}) {
        bool near = false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) near |= IsOverlay(canvas, kCx + sx * halfHeight + dx, kCy + sy * halfWidth + dy);
        EXPECT_TRUE(near) << sx << " " << sy;
    }
    // At 30 degrees the upper right corner goes up and left: counter-clockwise, towards the east.
    prefs.ccdRotation = 30.0f;
    DrawOverlays(prefs, scene, 192, canvas);
    const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
    const int x = kCx + int(std::lround(halfWidth * c - halfHeight * s));
    const int y = kCy + int(std::lround(-halfWidth * s - halfHeight * c));
    bool near = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) near |= IsOverlay(canvas, x + dx, y + dy);
    EXPECT_TRUE(near) << x << " " << y;
}

TEST(ChartOverlays, FieldLabelsTruncateToSecondsAndTurnToDegreesAbove60Arcminutes) {
    const std::pair<double, const char*> cases[] = {
        {45.5, "45'30''"},          {45.999, "45'59''"},          {60.0, "60'00''"},
        {75.25, "1\xB0" "15'15''"}, {120.5, "2\xB0" "00'30''"}};
    for (const auto& [arcminutes, label] : cases) EXPECT_EQ(FieldSizeLabel(arcminutes), label) << arcminutes;
}

}  // namespace
}  // namespace vsp::test
