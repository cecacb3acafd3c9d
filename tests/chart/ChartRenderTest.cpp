// Whole redraws on the pixels, with the catalogs of a home built from the installed packages:
// night mode keeps to reds, the backgrounds, the "Sky Map" horizon radius, the names' clearance
// rule, the names placed by priority and the boxes they ink, the outlines of open clusters,
// and what a tap selects among screen places set by hand.
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
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
        return DrawAt(prefs, type, level, dpi, type == kChartEquatorialSky ? 5.6 : -1.0, 0.0, scene, canvas, view);
    }

    // A redraw centred on a J2000 place (the view's own centre for a negative right ascension;
    // for "Whole Sky" at -2 the chart command's, south and 45 degrees up), into `canvas` of
    // 480 x 640 at `dpi`; `view` is left as drawn.
    static ChartDrawn DrawAt(const Preferences& prefs, int type, int level, int dpi, double raHours, double decDeg,
                             ChartScene& scene, Canvas& canvas, ChartView& view) {
        Preferences p = prefs;
        p.chartType = type;
        SetViewFromPreferences(view, p, dpi / 48, 480, 640, local_, settings_);
        view.SetZoomLevel(level);
        if (raHours >= 0.0 && type == kChartEquatorialSky) view.SetCentre(raHours * 15.0, decDeg);
        if (raHours == -2.0 && type == kChartWholeSky) view.SetCentre(180.0, 45.0);
        if (raHours >= 0.0 && type == kChartSkyMap) {
            view.Prepare();
            const SkyDirection h = view.CatalogToHorizontal(raHours, decDeg);
            view.CentreHorizontalOn(h.first, h.second);
        }
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

bool Meet(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The information lines as the chart sets them: the selection and time lines stacked at the
// bottom left, the field and limits lines right-aligned above the bottom right, measured in
// the chart's small font.
std::vector<Rect> InformationBoxes(const ChartDrawn& drawn, const Canvas& canvas, double scale) {
    const int line = canvas.MeasureText("0", FontId::Small).height, w = canvas.Width(), h = canvas.Height();
    int widest = 0;
    for (const std::string& text : drawn.infoLines) widest = std::max(widest, canvas.MeasureText(text, FontId::Small).width);
    const int right = std::max(canvas.MeasureText(drawn.fovLabel, FontId::Small).width,
                               canvas.MeasureText(drawn.limitsLabel, FontId::Small).width);
    const int bottom = h - int(2 * scale);
    return {Rect{int(3 * scale), bottom - line * int(drawn.infoLines.size()), int(3 * scale) + widest, bottom},
            Rect{w - int(3 * scale) - right, bottom - line - int(10 * scale), w - int(3 * scale), bottom}};
}

bool HasLabel(const ChartDrawn& drawn, std::string_view text) {
    return std::ranges::any_of(drawn.labels, [&](const DrawnLabel& l) { return l.text == text; });
}

// The busiest charts: the whole sky at its widest and a 30-degree Sky Map about Orion, every
// name layer on. With the priority the names keep off each other and the information lines,
// and the bright Messier objects win their room; in both modes each listed box is the ink of
// its name: the pixels the names change lie in the boxes, and reach their edges.
TEST_F(ChartRender, NamesByPriorityKeepClearAndEveryListedBoxIsTheInkOfItsName) {
    Preferences p = prefs_;
    p.starNames = p.constNames = p.objNames = true;
    Preferences bare = p;
    bare.starNames = bare.constNames = bare.objNames = false;
    struct Case { int type, level; double ra, dec; };
    for (const Case& c : {Case{kChartWholeSky, 0, -2.0, 0.0}, Case{kChartSkyMap, 6, 5.6, 0.0}}) {
        for (int dpi : {96, 192}) {
            for (bool priority : {true, false}) {
                SCOPED_TRACE(testing::Message() << "type " << c.type << " dpi " << dpi << " priority " << priority);
                p.labelPriority = bare.labelPriority = priority;
                Canvas named, unnamed;
                ChartView view;
                const ChartDrawn drawn = DrawAt(p, c.type, c.level, dpi, c.ra, c.dec, scene_, named, view);
                DrawAt(bare, c.type, c.level, dpi, c.ra, c.dec, scene_, unnamed, view);
                ASSERT_GT(drawn.labels.size(), 20u);
                const auto inked = [&](int x, int y) { return named.At(x, y) != unnamed.At(x, y); };
                const auto inAnyBox = [&](int x, int y) {
                    return std::ranges::any_of(drawn.labels, [&](const DrawnLabel& l) { return l.box.Contains(x, y); });
                };
                for (int y = 0; y < 640; ++y)
                    for (int x = 0; x < 480; ++x) ASSERT_FALSE(inked(x, y) && !inAnyBox(x, y)) << x << "," << y;
                const std::vector<Rect> information = InformationBoxes(drawn, named, dpi / 96.0);
                for (size_t i = 0; i < drawn.labels.size(); ++i) {
                    const Rect& box = drawn.labels[i].box;
                    SCOPED_TRACE(drawn.labels[i].text);
                    Rect ink{box.right, box.bottom, box.left, box.top};
                    for (int y = box.top; y < box.bottom; ++y)
                        for (int x = box.left; x < box.right; ++x)
                            if (inked(x, y))
                                ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                                       std::max(ink.bottom, y + 1)};
                    ASSERT_LT(ink.left, ink.right);
                    if (!priority) continue;
                    // Faint antialiased edges may round away in 16-bit pixels: a pixel's grace.
                    EXPECT_LE(ink.left - box.left + box.right - ink.right + ink.top - box.top + box.bottom - ink.bottom, 4);
                    for (const Rect& line : information) EXPECT_FALSE(Meet(box, line));
                    for (size_t j = i + 1; j < drawn.labels.size(); ++j)
                        EXPECT_FALSE(Meet(box, drawn.labels[j].box)) << "and " << drawn.labels[j].text;
                }
                // At 96 dpi Uranus, a planet and so named first, stands within 30 x 10 pixels of M45.
                if (priority && c.type == kChartWholeSky && dpi == 192) {
                    for (const char* messier : {"M42", "M45", "M31"}) EXPECT_TRUE(HasLabel(drawn, messier)) << messier;
                }
            }
        }
    }
}

// An open cluster's outline on an equatorial chart centred on it: a circle of the catalog
// diameter at the projection's scale at the centre (|scale_x| pixels per radian), drawn in the
// object colour, red at night.
TEST_F(ChartRender, AnOpenClusterOutlineHasItsCatalogRadiusInTheObjectColour) {
    const auto m44 = std::ranges::find(objects_, std::string("M44"), ChartLabel);
    ASSERT_NE(m44, objects_.end());
    ASSERT_GT(m44->sizeMajor, 30.0f);
    const double ra = m44->raHours, dec = m44->decDeg;
    for (int night : {0, 2}) {
        Preferences p = prefs_;
        p.hideGrid = true;
        p.objNames = false;
        p.nightLevel = night;
        Canvas plain, outlined;
        ChartView view;
        DrawAt(p, kChartEquatorialSky, 8, 192, ra, dec, scene_, plain, view);
        p.objOutlines = true;
        DrawAt(p, kChartEquatorialSky, 8, 192, ra, dec, scene_, outlined, view);
        const double expected = std::sin(m44->sizeMajor / 2.0 / 60.0 * std::numbers::pi / 180.0) * std::abs(view.ScaleX());
        const ScreenPoint at = m44->screen;
        ASSERT_TRUE(at.visible);
        std::vector<double> radii;
        for (int y = 0; y < 640; ++y) {
            for (int x = 0; x < 480; ++x) {
                const double r = std::hypot(x - at.x, y - at.y);
                if (outlined.At(x, y) == plain.At(x, y) || r < expected / 2 || r > expected * 1.5) continue;
                radii.push_back(r);
                const Colour c = UnpackRgb565(outlined.At(x, y));
                if (night > 0) EXPECT_EQ(ColourGreen(c) + ColourBlue(c), 0);
            }
        }
        ASSERT_GT(radii.size(), 100u);
        std::ranges::nth_element(radii, radii.begin() + radii.size() / 2);
        EXPECT_NEAR(radii[radii.size() / 2], expected, 1.5) << "night " << night;
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
