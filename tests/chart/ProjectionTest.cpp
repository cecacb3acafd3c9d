// The projections through their common shape: the gnomonic one against astropy's TAN
// projection (tests/data/chart, from scripts/fixtures/chart_fixtures.py), and on every
// projection the scale and the way back against the forward step, and the panorama's turn.

#include <cmath>
#include <numbers>
#include <type_traits>

#include <gtest/gtest.h>

#include "chart/ChartRenderer.h"
#include "chart/GnomonicProjection.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::chart {
namespace {

using bodies::CsvRow;
constexpr char kFixture[] = "../chart/chart_projections.csv";

// A picture 400 pixels square showing 45 degrees to each edge: one tangent unit is 200 pixels.
TEST(GnomonicProjection, PlacesAndTakesBackStarsAsAstropysTanProjection) {
    int compared = 0;
    bodies::ForEachRow(kFixture, {"case", "star"}, [&](const CsvRow& row) {
        const GnomonicProjection projection({row.Number("eq_ra0"), row.Number("eq_dec0")}, 45.0, 400);
        const double ra = row.Number("ra_hours"), dec = row.Number("dec_deg");
        const ScreenPoint p = projection.Forward({ra * 15.0, dec});
        if (row.Number("eq_front") == 0) {
            EXPECT_FALSE(p.visible);
            return;
        }
        const double x = 200 + row.Number("tan_x") * 200, y = 200 - row.Number("tan_y") * 200;
        if (std::abs(x - 200) > 600 || std::abs(y - 200) > 600) return;  // near the rim of the hemisphere
        ASSERT_TRUE(p.visible);
        EXPECT_TRUE(std::abs(p.x - x) <= 0.5 + 1e-6 && std::abs(p.y - y) <= 0.5 + 1e-6) << p.x << " " << p.y;
        const SkyDirection back = projection.Backward(x, y);
        EXPECT_LT(SeparationArcsec(back.first / 15.0, back.second, ra, dec), 0.01);
        ++compared;
    });
    EXPECT_GE(compared, 40);
}

// Forward of a direction in degrees, whichever the projection's own direction type.
template <class Projection>
ScreenPoint ForwardOf(const Projection& projection, const SkyDirection& d) {
    if constexpr (std::is_base_of_v<ChartProjection, Projection>) {
        return projection.ForwardDegrees(d.first, d.second);
    } else {
        return projection.Forward(d);
    }
}

// From the centre to a direction `degrees` away the picture moves PixelsPerDegree a degree
// (within the curvature over the step and a pixel), and the way back lands within a pixel.
template <class Projection>
void ExpectScaleAndWayBack(const Projection& projection, const SkyDirection& centre, const SkyDirection& off,
                           double degrees) {
    const ScreenPoint a = ForwardOf(projection, centre), b = ForwardOf(projection, off);
    ASSERT_TRUE(a.visible && b.visible);
    const double perDegree = std::hypot(b.x - a.x, b.y - a.y) / degrees;
    EXPECT_NEAR(perDegree / projection.PixelsPerDegree(), 1.0, 0.02) << perDegree;
    const SkyDirection back = projection.Backward(b.x, b.y);
    const double cosDec = std::cos(off.second * std::numbers::pi / 180);
    const double apart = std::hypot(std::remainder(back.first - off.first, 360.0) * cosDec, back.second - off.second);
    EXPECT_LT(apart, 1.5 / projection.PixelsPerDegree());
}

TEST(SkyProjections, ScaleIsTheForwardStepAtTheCentreAndBackwardUndoesForward) {
    const ProjectionSetup level8{.level = 8, .pixelUnit = 2, .widthPx = 480, .heightPx = 640, .signX = 1, .signY = -1};
    StereographicProjection disc;
    disc.SetRotation(30);
    disc.Prepare(level8);
    disc.SetOrigin(240, 320);
    {
        SCOPED_TRACE("stereographic");
        ExpectScaleAndWayBack(disc, {0, 90}, {120, 86}, 4);
    }

    PanoramaProjection panorama;
    panorama.Prepare({.level = 6, .pixelUnit = 2, .widthPx = 480, .heightPx = 640, .signX = -1, .signY = 1});
    panorama.SetOrigin(-1500, 600);
    {
        SCOPED_TRACE("panorama");
        ExpectScaleAndWayBack(panorama, {150, 20}, {150, 30}, 10);
        ExpectScaleAndWayBack(panorama, {150, 20}, {160, 20}, 10);
    }

    OrthographicProjection sphere;
    sphere.SetCentre(200, -35);
    sphere.Prepare({.level = 9, .pixelUnit = 2, .widthPx = 480, .heightPx = 640, .signX = -1, .signY = -1});
    {
        SCOPED_TRACE("orthographic");
        ExpectScaleAndWayBack(sphere, {200, -35}, {200, -33}, 2);
        ExpectScaleAndWayBack(sphere, {200, -35}, {200 + 2 / std::cos(35 * std::numbers::pi / 180), -35}, 2);
    }

    const GnomonicProjection picture({83.8, -5.4}, 8.0, 400);
    {
        SCOPED_TRACE("gnomonic");
        ExpectScaleAndWayBack(picture, {83.8, -5.4}, {83.8, -3.4}, 2);
        ExpectScaleAndWayBack(picture, {83.8, -5.4}, {81.8, -5.4}, 2 * std::cos(5.4 * std::numbers::pi / 180));
    }
}

// A panorama looking north: one turn of azimuth is TurnPixels across, and a place just west
// of north, which the plane holds a turn away, comes back beside north.
TEST(PanoramaProjection, OneTurnOfAzimuthIsTurnPixelsAndWrapsBackIntoView) {
    PanoramaProjection panorama;
    panorama.Prepare({.level = 4, .pixelUnit = 2, .widthPx = 480, .heightPx = 640, .signX = -1, .signY = 1});
    panorama.SetOrigin(240, 500);
    const int32_t turn = panorama.TurnPixels();
    EXPECT_NEAR(turn, 360 * 2 * 3.51 * 0.8, 1.0);
    EXPECT_NEAR(std::abs(panorama.ForwardDegrees(370, 10).x - panorama.ForwardDegrees(10, 10).x), turn, 1);
    const ScreenPoint westOfNorth = panorama.Forward(FrameVector(355, 10));
    ASSERT_TRUE(westOfNorth.visible && (westOfNorth.x < 0 || westOfNorth.x > 480));
    EXPECT_NEAR(WrapIntoTurn(westOfNorth.x, 480, turn), panorama.ForwardDegrees(-5, 10).x, 1);
}

}  // namespace
}  // namespace vsp::test::chart
