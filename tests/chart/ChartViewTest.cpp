// The chart view against astropy (tests/data/chart, from scripts/fixtures/chart_fixtures.py) and
// on the geometric cases where a sign, a shift or an off-by-one shows: horizon points, panorama
// spacing, horizon and far-side culling, flips and the inverse conversions.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include <gtest/gtest.h>

#include "chart/ChartLabels.h"
#include "chart/ChartSky.h"
#include "chart/ChartView.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::chart {
namespace {

using bodies::CsvRow;
constexpr char kFixture[] = "../chart/chart_projections.csv";
constexpr double kRad = std::numbers::pi / 180;
constexpr int kHuge = 30000;  // a chart area so large that culling never hides a front star

ChartSky SkyOfRow(const CsvRow& row) {
    EphemerisSettings settings;
    settings.location = {.latitude = row.Number("latitude"), .longitudeWest = row.Number("longitude_west"),
                         .tzOffset = int(row.Number("tz"))};
    const auto field = [&](const char* name) { return int(row.Number(name)); };
    return BuildChartSky({field("year"), field("month"), field("day"), field("hour"), field("minute"), field("second")},
                         settings);
}

ChartView MakeView(int type, int level, const ChartSky& sky, int pu = 1, int width = kHuge, int height = kHuge) {
    ChartView view;
    view.SetDisplay(pu, width, height);
    view.SetChartType(type);
    view.SetZoomLevel(level);
    view.SetSky(sky);
    view.Prepare();
    return view;
}

ChartVector Horizontal(double azDeg, double altDeg) {
    const double a = azDeg * kRad, h = altDeg * kRad;
    return {DoubleToUnit24(std::cos(h) * std::cos(a)), DoubleToUnit24(std::cos(h) * std::sin(a)), DoubleToUnit24(std::sin(h))};
}

// Pixels between p and a plane place (x right, y up) at `perUnit` pixels per unit.
double PixelError(const ChartView& view, const ScreenPoint& p, double planeX, double planeY, double perUnit) {
    return std::max(std::abs(p.x - (view.CenterX() + planeX * perUnit)), std::abs(p.y - (view.CenterY() - planeY * perUnit)));
}

// Astropy includes annual aberration (up to 20.5") which the chart leaves out. The inverse
// conversions must bring each pixel back within its own angle: at most 2048/scale radians on
// the disc, 65536/scale degrees on the panorama, on either axis.
TEST(ChartViewFixture, HorizontalChartsPlaceStarsWhereAstropySeesThemAndBack) {
    double worstArcsec = 0, worstPx = 0;
    bodies::ForEachRow(kFixture, {"case", "star"}, [&](const CsvRow& row) {
        const double ra = row.Number("ra_hours"), dec = row.Number("dec_deg");
        const double az = row.Number("az_deg"), alt = row.Number("alt_deg");
        const double raDate = row.Number("ra_date_hours") * 15 * kRad, decDate = row.Number("dec_date_deg") * kRad;
        for (const auto& [type, level] : {std::pair(kChartSkyMap, 0), {kChartSkyMap, 8}, {kChartHorizonView, 5}}) {
            const ChartView view = MakeView(type, level, SkyOfRow(row));
            const SkyDirection h = view.CatalogToHorizontal(ra, dec);
            worstArcsec = std::max(worstArcsec, SeparationArcsec(h.first / 15, h.second, az / 15, alt));
            if (std::abs(alt) < 0.05) continue;
            const bool map = type == kChartSkyMap;
            for (const ScreenPoint& p : {view.ProjectHorizontal(HoursToAngle24(ra), DegreesToAngle24(dec)),
                                         view.ProjectHorizontalFloat(ra * 15 * kRad, dec * kRad, false),
                                         view.ProjectHorizontalFloat(raDate, decDate, true)}) {
                ASSERT_EQ(p.visible, alt > 0);
                if (!p.visible) continue;
                const double perUnit = (map ? 64.0 : 0.8) * Magnification16(level) / 65536;
                const double x = map ? row.Number("map_x") : az, y = map ? row.Number("map_y") : alt;
                worstPx = std::max(worstPx, PixelError(view, p, x, y, perUnit));
                const double pixelArcsec = (map ? 2048 * 206265.0 : 65536 * 3600.0) / std::abs(view.ScaleX());
                const SkyDirection back = view.ScreenToEquatorial(p.x, p.y);
                EXPECT_LE(SeparationArcsec(back.first, back.second, ra, dec), std::sqrt(2) * pixelArcsec);
            }
        }
    });
    EXPECT_LE(worstArcsec, 22.0);
    EXPECT_LE(worstPx, 1.2);
}

// Whole pixels per unit of the unit sphere at pu = 1: 80 / tan(F/2) truncated.
TEST(ChartViewFixture, CentredChartsPlaceCullAndInvertAsTheReferenceProjections) {
    const std::tuple<int, int, double> cases[] = {{kChartWholeSky, 3, 1.2},       {kChartWholeSky, 9, 1.2},
                                                  {kChartEquatorialSky, 3, 1.01}, {kChartEquatorialSky, 9, 1.01},
                                                  {kChartEquatorialSky, 13, 1.01}};
    bodies::ForEachRow(kFixture, {"case", "star"}, [&](const CsvRow& row) {
        const ChartSky sky = SkyOfRow(row);
        const double ra = row.Number("ra_hours"), dec = row.Number("dec_deg");
        for (const auto& [type, level, tolerancePx] : cases) {
            const bool eq = type == kChartEquatorialSky;
            const std::string prefix = eq ? "eq_" : "whole_";
            SCOPED_TRACE(prefix + std::to_string(level));
            ChartView view = MakeView(type, level, sky), small = MakeView(type, level, sky, 1, 240, 320);
            const double first = row.Number(eq ? "eq_ra0" : "whole_az0"), second = row.Number(eq ? "eq_dec0" : "whole_alt0");
            view.CentreOnVector(eq ? view.PrecomputeVector(first / 15, second, false) : Horizontal(first, second));
            small.SetCentre(first, second);
            // The same star from its place of date must land on the same pixel, give or take one.
            const ChartVector vector = view.PrecomputeVector(ra, dec, false);
            const ScreenPoint p = view.Project(vector), q = small.Project(vector);
            const ScreenPoint d = view.Project(view.PrecomputeVector(row.Number("ra_date_hours"), row.Number("dec_date_deg"), true));
            EXPECT_TRUE(d.visible == p.visible && std::abs(d.x - p.x) <= 1 && std::abs(d.y - p.y) <= 1);
            if (!row.Has(prefix + "x") || row.Number(prefix + "front") == 0) {
                EXPECT_FALSE(p.visible);
                continue;
            }
            const double x = row.Number(prefix + "x"), y = row.Number(prefix + "y");
            const double perUnit = std::floor(80.0 / std::tan(ProjectionAngleDeg(level) * kRad / 2));
            if (x * x + y * y > 0.998) continue;  // on the limb
            ASSERT_TRUE(p.visible);
            EXPECT_LE(PixelError(view, p, x, y, perUnit), tolerancePx);
            // The small chart keeps what lies within 30 pixels of its area.
            const double sx = 120 + x * perUnit, sy = 160 - y * perUnit;
            const double margin = std::min({sx + 30, 270 - sx, sy + 30, 350 - sy});
            EXPECT_TRUE(std::abs(margin) < 2 || q.visible == (margin > 0)) << margin;
            // Within 0.7 of the radius a pixel spans at most 1.4 / scale radians.
            if (x * x + y * y > 0.49) continue;
            const SkyDirection back = view.ScreenToEquatorial(p.x, p.y);
            EXPECT_LE(SeparationArcsec(back.first, back.second, ra, dec), std::sqrt(2) * 1.4 * 206265 / perUnit);
        }
    });
}

TEST(ChartView, HorizonPointsPanoramaSpacingAndCulling) {
    const ChartView map = MakeView(kChartSkyMap, 3, ChartSky{}, 2, 240, 320);
    const double radius = 64 * 2.34 * 2;
    const ScreenPoint zenith = map.Project({0, 0, kUnit24One}),
                      north = map.Project({kUnit24One, 0, 0}), east = map.Project({0, kUnit24One, 0});
    EXPECT_TRUE(zenith.x == 120 && zenith.y == 160);
    EXPECT_TRUE(north.x == 120 && std::abs(north.y - (160 - radius)) <= 1) << north.y;
    EXPECT_TRUE(east.y == 160 && std::abs(east.x - (120 - radius)) <= 1) << east.x;

    const ChartView panorama = MakeView(kChartHorizonView, 3, ChartSky{}, 1, 240, 320);
    const ScreenPoint a = panorama.Project(Horizontal(100, 10)),
                      b = panorama.Project(Horizontal(110, 10));
    EXPECT_TRUE((b.x - a.x == 18 || b.x - a.x == 19) && a.y == b.y) << b.x - a.x;

    // One degree below the horizon is placed only on "Whole Sky"; the far hemisphere never.
    const ChartVector below = Horizontal(180, -1);
    EXPECT_FALSE(map.Project(below).visible || panorama.Project(below).visible);
    for (int type : {kChartWholeSky, kChartVisibleSky}) {
        ChartView view = MakeView(type, 0, ChartSky{}, 1, 240, 320);
        view.SetCentre(180, 0);
        EXPECT_EQ(view.Project(below).visible, type == kChartWholeSky);
        view.SetCentre(0, 0);
        EXPECT_FALSE(view.Project({0, 0, kUnit24One}).visible);  // depth exactly 0
        EXPECT_TRUE(view.Project(Horizontal(0, 89)).visible);
    }
}

TEST(ChartView, FlipsStackOnEachTypesStartingSigns) {
    const std::array<int32_t, 10> flips = {3, 0, 0, 0, 0, 1, 0, 0, 0, 2};
    const auto signs = [&](int type, int level) {
        ChartView view = MakeView(type, level, ChartSky{});
        view.SetFlips(flips);
        view.Prepare();
        return std::pair(view.ScaleX() > 0 ? 1 : -1, view.ScaleY() > 0 ? 1 : -1);
    };
    for (int level = 10; level <= 13; ++level) EXPECT_EQ(signs(kChartWholeSky, level), std::pair(-1, -1)) << level;
    EXPECT_EQ(signs(kChartWholeSky, 8), std::pair(1, 1));
    EXPECT_EQ(signs(kChartWholeSky, 5), std::pair(1, -1));
    EXPECT_EQ(signs(kChartHorizonView, 11), std::pair(1, -1));
    EXPECT_EQ(signs(kChartEquatorialSky, 0), std::pair(1, 1));
    EXPECT_EQ(signs(kChartSkyMap, 0), std::pair(-1, 1));
}

// A panorama starts looking south 20 degrees up; a zoom keeps the middle's direction.
TEST(ChartView, HorizontalOrigins) {
    ChartView view = MakeView(kChartHorizonView, 3, ChartSky{}, 2, 240, 320);
    const auto offMiddle = [&](double az, double alt) {
        const ScreenPoint p = view.HorizontalToScreen(az, alt);
        return std::max(std::abs(p.x - 120), std::abs(p.y - 160));
    };
    EXPECT_LE(offMiddle(180, 20), 1);
    view.CentreHorizontalOn(45, 10);
    EXPECT_LE(offMiddle(45, 10), 1);
    const SkyDirection middle = view.ScreenToHorizontal(60, 80);  // logical units, pu = 2
    EXPECT_LT(std::hypot(middle.first - 45, middle.second - 10), 0.6);
    view.SetZoomLevel(7);
    view.Prepare();
    EXPECT_LE(offMiddle(middle.first, middle.second), 1);
    view.SetChartType(kChartSkyMap);  // back to the other types' level, the zenith in the middle
    view.Prepare();
    EXPECT_TRUE(view.ZoomLevel() == 0 && view.ScreenToHorizontal(60, 80).second == 90);
}

TEST(ChartView, MagnitudeLimitsAndTheirLabel) {
    Preferences prefs;
    prefs.zoomStarLimit[9] = 4;     // "<12"
    prefs.zoomObjectLimit[9] = 6;   // "Scope"
    prefs.zoomObjectLimit[5] = 7;   // "Eyes"
    const MagnitudeLimits high = GetMagnitudeLimits(12, prefs, 13.5f, 6.2f), none = GetMagnitudeLimits(-1, prefs, 0, 0);
    EXPECT_TRUE(high.star == 12 && high.object == 13.5f && none.star == 13 && none.object == 100);
    EXPECT_EQ(GetMagnitudeLimits(5, prefs, 13.5f, 6.2f).object, 6.2f);
    EXPECT_EQ(LimitsLabel({6.5f, 100.0f}) + "|" + LimitsLabel({7.5f, 9.0f}), "All, S<6|O<9, S<7");
}

}  // namespace
}  // namespace vsp::test::chart
