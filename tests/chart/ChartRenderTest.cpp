// Whole redraws on the pixels, with the catalogs of a home built from the installed packages:
// night mode keeps to reds, the backgrounds, the "Sky Map" horizon radius, the names' clearance
// rule, and what a tap selects among screen places set by hand.
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "chart/ChartIdentify.h"
#include "chart/ChartSetup.h"
#include "support/CatalogHome.h"
#include "support/EphemerisCsv.h"

namespace vsp::test {
namespace {

// 2026-01-15 21:00 CET at Munich: Orion high in the south.
class ChartRender : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const CatalogHome& built = BuiltCatalogHome();
        if (!built.missing.empty() || !built.problem.empty()) return;
        prefs_.site.latitude = 48.1f;
        prefs_.site.longitude = -11.6f;
        settings_.location = {.latitude = 48.1, .longitudeWest = -11.6, .tzOffset = 60};
        settings_.currentYear = 2026;
        session_ = new CatalogSession(ProgramDir(built.root), sink_);
        ready_ = LoadChartScene(*session_, sink_, prefs_, local_, settings_, objects_, scene_);
    }
    void SetUp() override {
        if (!RequireCatalogHome()) return;
        ASSERT_TRUE(ready_);
    }

    // A redraw at `dpi` (192: pu 4, scale 2) into a 480 x 640 canvas.
    static ChartDrawn Draw(const Preferences& prefs, int type, int level, Canvas& canvas, ChartScene& scene,
                           int dpi = 192) {
        ChartView view;
        Preferences p = prefs;
        p.chartType = type;
        SetViewFromPreferences(view, p, dpi / 48, 480, 640, local_, settings_);
        view.SetZoomLevel(level);
        if (type == kChartEquatorialSky) view.SetCentre(5.6 * 15.0, 0.0);
        canvas.Create(480, 640);
        ChartPictures pictures;
        ChartDrawn drawn;
        RenderChart(canvas, view, pictures, p, scene, {.scale = dpi / 96.0, .listPlaced = true}, drawn);
        return drawn;
    }

    static inline RecordingInfoSink sink_;
    static inline Preferences prefs_;
    static inline CalendarDateTime local_{2026, 1, 15, 21, 0, 0};
    static inline EphemerisSettings settings_;
    static inline CatalogSession* session_ = nullptr;
    static inline std::vector<ChartObject> objects_;
    static inline ChartScene scene_;
    static inline bool ready_ = false;
};

TEST_F(ChartRender, NightModeKeepsToRedsAndTheBackgroundsAreBlackDarkBlueAndWhite) {
    Canvas canvas;
    ChartScene scene = scene_;
    scene.scope = ChartMark{.raHours = 5.943, .decDeg = 7.412, .ofDate = true};  // the telescope on Betelgeuse
    for (int night = 1; night <= 3; ++night) {
        for (int type : {kChartSkyMap, kChartHorizonView, kChartWholeSky, kChartEquatorialSky}) {
            Preferences p = prefs_;
            p.nightLevel = night;
            p.background = 2;  // white gives way to black at night
            const bool marked = Draw(p, type, 4, canvas, scene).scopeAt.has_value();
            if (type == kChartSkyMap || type == kChartEquatorialSky) {
                EXPECT_TRUE(marked) << "type " << type;
            }
            int reds = 0, others = 0;
            for (int y = 0; y < canvas.Height(); ++y) {
                for (int x = 0; x < canvas.Width(); ++x) {
                    const Colour c = UnpackRgb565(canvas.At(x, y));
                    others += ColourGreen(c) != 0 || ColourBlue(c) != 0;
                    reds += ColourRed(c) != 0;
                }
            }
            EXPECT_EQ(others, 0) << "night " << night << " type " << type;
            EXPECT_GT(reds, 2000) << "night " << night << " type " << type;
        }
    }
    const Colour expected[] = {MakeColour(0, 0, 0), MakeColour(21, 21, 70), MakeColour(255, 255, 255)};
    for (int background = 0; background < 3; ++background) {
        Preferences p = prefs_;
        p.background = background;
        Draw(p, kChartEquatorialSky, 6, canvas, scene_);
        std::map<Pixel565, int> counts;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x) ++counts[canvas.At(x, y)];
        const auto most = std::max_element(counts.begin(), counts.end(),
                                           [](auto& a, auto& b) { return a.second < b.second; });
        EXPECT_EQ(most->first, PackRgb565(expected[background])) << "background " << background;
    }
}

TEST_F(ChartRender, TheSkyMapHorizonHasARadiusOf64PixelUnitsAtTheWidestLevel) {
    Canvas canvas;
    const ChartDrawn drawn = Draw(prefs_, kChartSkyMap, 0, canvas, scene_);
    const Pixel565 horizon = PackRgb565(MakeChartPalette(0, 0).horizon);
    std::vector<double> radii;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.At(x, y) == horizon) radii.push_back(std::hypot(x - 240, y - 320));
    ASSERT_GT(radii.size(), 1000u);  // most of its 1600 pixels show between the lines over it
    std::nth_element(radii.begin(), radii.begin() + radii.size() / 2, radii.end());
    EXPECT_NEAR(radii[radii.size() / 2], 64 * 4, 1.0);
    EXPECT_FALSE(drawn.placed.empty());
}

// Input waiting ends the catalog star field between blocks, and the redraw says so.
TEST_F(ChartRender, WaitingInputCutsTheStarFieldShort) {
    ASSERT_TRUE(session_->stars.OpenExtendedCatalog(4));  // Hipparcos 110K
    ChartView view;
    SetViewFromPreferences(view, prefs_, 4, 480, 640, local_, settings_);
    view.SetZoomLevel(6);
    view.SetCentre(5.6 * 15.0, 0.0);
    Canvas canvas;
    canvas.Create(480, 640);
    ChartPictures pictures;
    int polls = 0;
    const auto drawn = [&](int stopAfter) {
        polls = 0;
        ChartRenderOptions options{.scale = 2.0};
        options.stopRequested = [&] { return ++polls > stopAfter; };
        ChartDrawn out;
        RenderChart(canvas, view, pictures, prefs_, scene_, options, out);
        return out;
    };
    view.SetChartType(kChartEquatorialSky);
    const ChartDrawn whole = drawn(1000000);
    const int wholePolls = polls;
    const ChartDrawn cut = drawn(wholePolls / 2);
    session_->stars.CloseExtendedCatalog();
    EXPECT_FALSE(whole.stopped);
    ASSERT_GT(wholePolls, 4);
    EXPECT_TRUE(cut.stopped);
    EXPECT_EQ(polls, wholePolls / 2 + 1);  // the walk stopped at the first poll that saw input
    EXPECT_LT(cut.starsListed, whole.starsListed);
}

// A J2000 place that the view projects exactly onto pixel (x, y): the inverse of a pixel's
// corner may truncate into its neighbour, so nearby fractions are tried.
SkyDirection PlaceLandingOn(const ChartView& view, int x, int y) {
    for (double fx : {0.0, 0.25, -0.25, 0.5, -0.5}) {
        for (double fy : {0.0, 0.25, -0.25, 0.5, -0.5}) {
            const SkyDirection sky = view.PixelToCatalog(x + fx, y + fy);
            const ScreenPoint p = view.Project(view.PrecomputeVector(sky.first, sky.second, false));
            if (p.x == x && p.y == y) return sky;
        }
    }
    ADD_FAILURE() << "no place lands on " << x << "," << y;
    return {};
}

TEST_F(ChartRender, AnObjectNameGivesWayToAnEarlierObjectCloserThan30By10Pixels) {
    for (const auto& [dx, shown] : {std::pair{29, false}, std::pair{30, true}}) {
        ChartView view;
        SetViewFromPreferences(view, prefs_, 2, 480, 640, local_, settings_);
        view.SetChartType(kChartEquatorialSky);
        view.SetZoomLevel(8);
        view.SetCentre(60.0, 20.0);
        view.Prepare();
        std::vector<ChartObject> pair(2);
        const int xs[] = {200, 200 + dx}, ys[] = {300, 309};
        for (int i = 0; i < 2; ++i) {
            const SkyDirection sky = PlaceLandingOn(view, xs[i], ys[i]);
            ChartObject& object = pair[size_t(i)];
            object.kind = 42;
            object.displayType = kTypeConstellation;  // no symbol: only the names draw
            object.raHours = sky.first;
            object.decDeg = sky.second;
            object.label = i == 0 ? "A" : "WWWWWWWW";
        }
        ChartScene scene;
        scene.objects = &pair;
        scene.local = local_;
        Canvas canvas;
        canvas.Create(480, 640);
        ChartPictures pictures;
        ChartDrawn drawn;
        Preferences bare = prefs_;
        bare.hideGrid = true;
        RenderChart(canvas, view, pictures, bare, scene, {.scale = 1.0}, drawn);
        ASSERT_TRUE(pair[1].screen.visible);
        ASSERT_EQ(pair[1].screen.x - pair[0].screen.x, dx);
        // Right of where the first name ends: only the second name can put ink there.
        int ink = 0;
        for (int y = pair[1].screen.y; y < pair[1].screen.y + 9; ++y)
            for (int x = pair[1].screen.x + 20; x < pair[1].screen.x + 60; ++x) ink += canvas.At(x, y) != canvas.At(2, 2);
        EXPECT_EQ(ink > 0, shown) << "second object " << dx << " pixels to the right";
    }
}

// tests/data/chart/chart_layers.csv (scripts/fixtures/chart_layer_fixtures.py): places inside
// and outside d3-celestial's Milky Way and on the Cygnus border, precessed by ERFA.
TEST_F(ChartRender, TheMilkyWayAndTheBordersLieWhereTheirDataPutsThem) {
    ASSERT_FALSE(scene_.milkyWay.Empty());
    const auto fixture = bodies::ReadEphemerisCsv("chart_layers.csv", "chart");
    std::map<std::string, const bodies::CsvRow*> at;
    for (const bodies::CsvRow& row : fixture->rows) at[row.Text("what")] = &row;
    ASSERT_EQ(at.size(), 3u);
    // The pixels within `reach` of the chart's centre on `place`, counted by colour.
    auto around = [&](const bodies::CsvRow& place, const Preferences& prefs, int reach) {
        ChartView view;
        SetViewFromPreferences(view, prefs, 2, 480, 640, local_, settings_);
        view.SetChartType(kChartEquatorialSky);
        view.SetZoomLevel(8);
        view.SetCentre(place.Number("ra_hours") * 15.0, place.Number("dec_deg"));
        ChartScene scene;
        scene.milkyWay = scene_.milkyWay;
        scene.local = local_;
        Canvas canvas;
        canvas.Create(480, 640);
        ChartPictures pictures;
        ChartDrawn drawn;
        RenderChart(canvas, view, pictures, prefs, scene, {.scale = 1.0}, drawn);
        std::map<Colour, int> colours;
        for (int y = view.CenterY() - reach; y <= view.CenterY() + reach; ++y)
            for (int x = view.CenterX() - reach; x <= view.CenterX() + reach; ++x) ++colours[UnpackRgb565(canvas.At(x, y))];
        return colours;
    };
    const auto packed = [](Colour c) { return UnpackRgb565(PackRgb565(c)); };
    Preferences layers = prefs_;
    layers.hideGrid = true;
    layers.milkyWay = true;
    for (int night : {0, 2}) {
        layers.nightLevel = night;
        const ChartPalette palette = MakeChartPalette(layers.background, night);
        // Inside, any level's colour and no background; far outside, background only.
        EXPECT_EQ(around(*at["milky_way_inside"], layers, 2)[packed(palette.background)], 0) << "night " << night;
        EXPECT_EQ(around(*at["milky_way_outside"], layers, 2)[packed(palette.background)], 25) << "night " << night;
        layers.milkyWay = false;
        layers.constBoundaries = true;
        EXPECT_GT(around(*at["border"], layers, 2)[packed(palette.border)], 0) << "night " << night;
        layers.constBoundaries = false;
        EXPECT_EQ(around(*at["border"], layers, 2)[packed(palette.border)], 0) << "night " << night;
        layers.milkyWay = true;
    }
}

// Taps at (100, 100) with pu 2 on a scene whose unplaced entries all lie under the tap.
constexpr int kTapX = 100, kTapY = 100;

void HideEverything(ChartScene& scene) {
    for (ChartObject& o : *scene.objects) o.screen = {false, kTapX, kTapY};
    for (StarRecord& s : scene.stars->DefaultStars())
        std::tie(s.screenX, s.screenY, s.hidden) = std::tuple(kTapX, kTapY, 1);
    scene.stars->ClearCache();
}

void PutStar(ChartScene& scene, int index, int dx, int dy) {
    StarRecord& s = scene.stars->DefaultStars()[size_t(index)];
    std::tie(s.screenX, s.screenY, s.hidden) = std::tuple(kTapX + dx, kTapY + dy, 0);
}

TEST_F(ChartRender, TapsTryObjectsThenBrightStarsNearestFirstInBoxesThatWidenPassByPass) {
    const auto tap = [](int type, int level) {
        ChartView view;
        Preferences p = prefs_;
        p.chartType = type;
        SetViewFromPreferences(view, p, 2, 240, 320, local_, settings_);
        view.SetZoomLevel(level);
        return IdentifyAt(view, scene_, 240, kTapX, kTapY);
    };
    const auto& names = scene_.brightStarNames;
    const int named = int(std::find_if(names.begin(), names.end(), [](auto& n) { return !n.empty(); }) - names.begin());
    const int unnamed = int(std::find(names.begin(), names.end(), "") - names.begin());
    // Centred passes box objects at 14 then 42 (6 then 18 from level 10) and take bright stars
    // nearer than 24 then 72; the horizontal ones box objects at 14, 28, 56.
    struct Case { int type, level, objectDx, starDistance; bool object, star; };
    const Case cases[] = {{kChartWholeSky, 9, 14, 5, true, false},    {kChartWholeSky, 9, 15, 5, false, true},
                          {kChartWholeSky, 9, 15, 23, false, true},   {kChartWholeSky, 9, 15, 24, true, false},
                          {kChartWholeSky, 9, 43, -1, false, false},  {kChartWholeSky, 10, 6, 5, true, false},
                          {kChartWholeSky, 10, 7, 5, false, true},    {kChartSkyMap, 9, 28, 30, true, false},
                          {kChartHorizonView, 9, 56, -1, true, false}, {kChartSkyMap, 9, 57, -1, false, false}};
    for (const Case& c : cases) {
        HideEverything(scene_);
        objects_[7].screen = {true, kTapX + c.objectDx, kTapY};
        if (c.starDistance >= 0) PutStar(scene_, unnamed, -c.starDistance / 2, c.starDistance - c.starDistance / 2);
        const std::optional<ChartSelection> hit = tap(c.type, c.level);
        EXPECT_EQ(std::pair(hit && hit->tableIndex == 7, hit && hit->tableIndex < 0), std::pair(c.object, c.star))
            << "type " << c.type << " level " << c.level << " object at " << c.objectDx;
    }
    // The nearest bright star wins, on equal distances the earlier; a named one is kind 54, an unnamed one 28.
    HideEverything(scene_);
    PutStar(scene_, std::max(named, unnamed), 5, 0);
    PutStar(scene_, std::min(named, unnamed), 0, -5);
    const auto numberOf = [&](int index) { return scene_.stars->DefaultStars()[size_t(index)].number; };
    EXPECT_EQ(tap(kChartWholeSky, 5)->number, numberOf(std::min(named, unnamed)));
    PutStar(scene_, std::max(named, unnamed), 2, 2);
    EXPECT_EQ(tap(kChartWholeSky, 5)->number, numberOf(std::max(named, unnamed)));
    PutStar(scene_, unnamed, 30, 30);
    PutStar(scene_, named, 1, 0);
    const ChartSelection star = *tap(kChartSkyMap, 5);
    EXPECT_EQ(std::tuple(star.kind, star.displayType, star.tableIndex, star.name),
              std::tuple(kKindBrightStar, kTypeSingleStar, -1, names[size_t(named)].substr(0, 19)));
    EXPECT_EQ(star.magnitude, scene_.stars->DefaultStars()[size_t(named)].magnitude / 16.0f);
    PutStar(scene_, named, 80, 80);
    EXPECT_EQ(tap(kChartSkyMap, 5)->kind, kKindHrStar);
}

// A tapped catalog star is named the Tycho way from 120000 stars up.
TEST(TappedStar, TychoNamesFrom120000Stars) {
    EXPECT_EQ(TappedStarIdentity(123400056, 120000), (std::pair<int32_t, std::string>{kKindTychoStar, "TYC1234-56-1"}));
    EXPECT_EQ(TappedStarIdentity(123400056, 119999), (std::pair<int32_t, std::string>{kKindHipStar, "HIP123400056"}));
}

}  // namespace
}  // namespace vsp::test
