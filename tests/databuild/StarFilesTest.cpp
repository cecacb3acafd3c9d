// The star step on a small package written here: two thousand generated Hipparcos stars plus a
// few named ones and two figure sets; the files it writes are read back through the program's
// own star readers.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/ConstellationTable.h"
#include "catalog/StarAngle.h"
#include "catalog/StarCatalog.h"
#include "databuild/DataBuild.h"
#include "databuild/DefaultStarsWrite.h"
#include "databuild/StarEntryPacking.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

// Generated stars: HIP 1000 + i, getting fainter with i; every tenth has no HR number.
int32_t GeneratedHip(int i) { return 1000 + i; }
int32_t GeneratedHr(int i) { return i % 10 == 9 ? 0 : i + 1; }
double GeneratedV(int i) { return 1.0 + i * 0.0035; }
// The western chain joins the first 661 generated stars with HR numbers, one after the other.
int ChainIndex(int k) { return k + k / 9; }

int RowNamed(std::string_view name) {
    for (int i = 0; i < kConstellationCount; ++i)
        if (ConstellationName(*ConstellationAt(i)) == name) return i;
    return -1;
}

class StarFilesBuild : public testing::Test {
protected:
    void SetUp() override {
        nlohmann::json features = nlohmann::json::array();
        auto star = [&](int32_t hip, double ra, double dec, double v, const char* bv) {
            features.push_back({{"type", "Feature"}, {"id", hip}, {"properties", {{"mag", v}, {"bv", bv}}},
                                {"geometry", {{"type", "Point"}, {"coordinates", {ra, dec}}}}});
        };
        std::string crossIds = "# HIP\t\tSAO\tHD\tHR\n", chain = "Ori 660";
        for (int i = 0; i < 2000; ++i) {
            star(GeneratedHip(i), std::fmod(i * 47.123, 360.0) - 180.0, -75.0 + std::fmod(i * 13.37, 150.0),
                 GeneratedV(i), i % 7 == 0 ? "" : "1.234");
            crossIds += std::to_string(GeneratedHip(i)) + "\t\t" + std::to_string(100000 + i) + "\t\t" +
                        (GeneratedHr(i) ? std::to_string(GeneratedHr(i)) : "") + "\n";
        }
        for (int k = 0; k < 660; ++k)
            chain += " " + std::to_string(GeneratedHip(ChainIndex(k))) + " " + std::to_string(GeneratedHip(ChainIndex(k + 1)));
        // Vega; Sirius; Castor, HR 2891 (A) and 2890 (B); HR 5000 on two stars (the brighter
        // counts); one that rounds to 24h; two in Serpens Caput, two in Cauda.
        star(91262, 279.2347, 38.7837, 0.03, "-0.001"), star(32349, 101.2872, -16.7161, -1.44, "0.009");
        star(36850, 113.6494, 31.8883, 1.58, "0.034"), star(3001, -160.0, 10.0, 2.22, "0.1");
        star(3002, -159.999, 10.0005, 2.9, "0.2"), star(3003, -0.0001, -0.5, 4.0, "");
        star(3010, -126.0, 10.0, 2.0, "0"), star(3011, -124.0, 8.0, 2.0, "0");
        star(3012, -90.0, -5.0, 2.0, "0"), star(3013, -85.0, -3.0, 2.0, "0");
        home_.WriteFile("d3/data/stars.14.json", nlohmann::json{{"type", "FeatureCollection"}, {"features", features}}.dump());
        home_.WriteFile("d3/data/starnames.json",
                        R"({"91262":{"name":"Vega","bayer":"α","flam":"3"},"32349":{"name":"Sirius","bayer":"α"},)"
                        R"("1000":{"name":"Deneb Kaitos Shemali","bayer":"","flam":null},)"
                        R"("1001":{"name":"Bélénos","bayer":"π1","flam":""},"1002":{"name":"","bayer":"b","flam":"12"}})");
        home_.WriteFile("stellarium/stars/default/cross-id.dat",
                        crossIds + "91262\t\t67174\t172167\t7001\n32349\t\t151881\t48915\t2491\n"
                                   "36850\tA\t60198\t60179\t2891\n36850\tB\t\t60178\t2890\n3001\tA\t\t\t5000\n"
                                   "3002\tB\t\t\t5000\n3003\t\t\t\t5001\n3010\t\t\t\t5010\n3011\t\t\t\t5011\n"
                                   "3012\t\t\t\t5012\n3013\t\t\t\t5013\n4000\t\t\t\t6000\n");  // 4000: no such star
        home_.WriteFile("stellarium/skycultures/western/constellationship.fab",
                        chain + "\nTau 3 1000 1000 1001 1000 1009 1010\n"  // to itself, repeated, star without HR
                                "Lyr 1 91262 1000\nSer 2 3010 3011 3012 3013\nCMa 1 32349 3001\n");
        home_.WriteFile("stellarium/skycultures/western_rey/constellationship.fab",
                        "# chart 1\nUMa\t2\t1100\t1101\t1101\t1102\t\n.UMap\t1\t1103\t1104\nSer 2 3010 3011 3012 3013\n"
                        "Lyr 2 91262 1000 91262 2990\n"  // HIP 2990: a faint star, in only for its line
                        "CMa 1 32349 3002\n");           // the fainter component of HR 5000
        options_.stellariumDir = home_.Path("stellarium");
        options_.d3CelestialDir = home_.Path("d3");
        ASSERT_TRUE(Build("data/")) << report_.problem;
        ASSERT_EQ(catalog_.OpenDefaultStars(), 1);
        ASSERT_EQ(catalog_.LoadDefaultStars(), 1);
    }

    bool Build(const std::string& dataDir) {
        options_.dataDir = home_.Path(dataDir);
        report_ = {};
        return MakeDirectory(options_.dataDir) && databuild::BuildStarFiles(options_, report_);
    }

    // The default star index of an HR number, -1 when absent.
    int DefaultIndexOf(int32_t hr) {
        const auto first = catalog_.DefaultStars().begin(), last = first + catalog_.DefaultStarsRead();
        const auto found = std::find_if(first, last, [&](const StarRecord& s) { return s.number == hr; });
        return found == last ? -1 : int(found - first);
    }
    const StarRecord& Default(int32_t hr) { return catalog_.DefaultStars()[size_t(DefaultIndexOf(hr))]; }

    test::TempHome home_;
    databuild::BuildOptions options_;
    databuild::BuildReport report_;
    RecordingInfoSink messages_;
    StarCatalog catalog_{home_.Dir(), messages_};
};

TEST_F(StarFilesBuild, DefaultStarsAndBrightStarNames) {
    const auto& stars = catalog_.DefaultStars();
    for (int i = 1; i < kDefaultStarCount; ++i) EXPECT_LT(stars[size_t(i - 1)].number, stars[size_t(i)].number);
    // Vega: magnitude 0.03 read as 0, Flamsteed 3, alpha, in Lyra. HR 2 is pi (16) with B-V
    // 1.234; HR 3 a Latin "b" (no letter) and Flamsteed 12.
    const StarRecord& v = Default(7001);
    EXPECT_NEAR(AngleToHours(v.ra), 279.2347 / 15.0, 1e-5);
    EXPECT_NEAR(AngleToDegrees(v.dec), 38.7837, 1e-5);
    const StarRecord &hr2 = Default(2), &hr3 = Default(3);
    EXPECT_EQ(std::vector<int>({v.magnitude, v.extra[0], v.extra[1], v.extra[2] | v.extra[3] << 8, hr2.magnitude,
                                hr2.colour, hr2.extra[1], hr3.extra[1], hr3.extra[0]}),
              std::vector<int>({0, 3, 1, RowNamed("Lyra"), int(std::lround(GeneratedV(1) * 16)), 12, 16, 0, 12}));
    // Castor's two HR numbers share one Hipparcos star: only the primary's is kept. HIP 2990 is
    // far fainter than the brightness cut but a figure needs it; HR 1981 is only a little fainter
    // than the cut and in no figure.
    EXPECT_EQ(std::vector<bool>({DefaultIndexOf(2891) >= 0, DefaultIndexOf(2890) >= 0, DefaultIndexOf(GeneratedHr(1990)) >= 0,
                                 DefaultIndexOf(GeneratedHr(1980)) >= 0, DefaultIndexOf(GeneratedHr(1500)) >= 0}),
              std::vector<bool>({true, false, true, false, true}));

    // Names in name order: the accented one in the code page, the long one cut.
    std::vector<std::string> names;
    BrightStarRecord record;
    for (int i = 0; i < catalog_.BrightStarCount() && catalog_.ReadBrightStar(i, record); ++i) names.push_back(record.name);
    EXPECT_EQ(names, (std::vector<std::string>{"B\xE9l\xE9nos", "Deneb Kaitos Shem", "Sirius", "Vega"}));
    ASSERT_EQ(catalog_.ReadBrightStar(catalog_.FindBrightStar(7001), record), 1);
    EXPECT_EQ(record.starIndex, DefaultIndexOf(7001));
}

class WalkRecorder : public StarWalkTarget {
public:
    bool DrawStar(const StarRecord& star, int, int, int16_t& x, int16_t& y) override {
        drawn.push_back(star);
        x = y = 1;
        return true;
    }
    std::vector<StarRecord> drawn;
};

TEST_F(StarFilesBuild, StarsByNumberAndByRegion) {
    StarRecord star;
    ASSERT_EQ(catalog_.OpenExtendedCatalog(0), 1);  // HR
    ASSERT_GE(catalog_.StarByNumber(7001, star), 0);
    EXPECT_NEAR(AngleToHours(star.ra), 279.2347 / 15.0, 1.0 / 3600);  // whole seconds of time
    EXPECT_NEAR(AngleToDegrees(star.dec), 38.7837, 1.0 / 3600);      // whole arcseconds
    for (int32_t castor : {2890, 2891}) {
        ASSERT_GE(catalog_.StarByNumber(castor, star), 0);
        EXPECT_EQ(star.number, castor);
        EXPECT_NEAR(AngleToDegrees(star.dec), 31.8883, 1.0 / 3600);
    }
    ASSERT_GE(catalog_.StarByNumber(5000, star), 0);  // the brighter component
    EXPECT_NEAR(AngleToHours(star.ra), 200.0 / 15.0, 1e-6);
    EXPECT_EQ(star.magnitude, 36);  // 35.52 sixteenths
    ASSERT_GE(catalog_.StarByNumber(5001, star), 0);
    EXPECT_EQ(std::make_tuple(star.ra, int(star.magnitude), int(star.colour)), std::make_tuple(0, 64, 0));
    EXPECT_EQ(catalog_.StarByNumber(6000, star), -1);               // HR without a Hipparcos star
    EXPECT_EQ(catalog_.StarByNumber(GeneratedHr(8) + 1, star), -1);  // no HR number there

    ASSERT_EQ(catalog_.OpenExtendedCatalog(4), 1);  // 110K
    ASSERT_GE(catalog_.StarByNumber(32349, star), 0);
    EXPECT_EQ(star.magnitude, 0);  // Sirius, V -1.44: the field has no sign
    ASSERT_GE(catalog_.StarByNumber(GeneratedHip(9), star), 0);  // a star without HR
    EXPECT_EQ(catalog_.StarByNumber(120000, star), -1);
    EXPECT_TRUE(messages_.messages.empty());

    // The 16K file's region index: a view around Vega finds it and only stars of the view.
    ASSERT_EQ(catalog_.OpenExtendedCatalog(1), 1);
    StarWalkView view{.limitingMagnitude = 6.0f, .lowestDec = 30.0f, .highestDec = 50.0f};
    view.windows[0] = {18 * 60 + 30, 18 * 60 + 45};
    WalkRecorder target;
    EXPECT_GT(catalog_.WalkRegion(view, target), 0);
    for (const StarRecord& s : target.drawn) EXPECT_NEAR(AngleToHours(s.ra), 18.625, 0.125);
    EXPECT_TRUE(std::ranges::any_of(target.drawn, [](const StarRecord& s) { return s.number == (91262 & 0xFFFF); }));
}

TEST_F(StarFilesBuild, ConstellationLinesJoinTheFigureStars) {
    std::vector<std::tuple<int, int32_t, int32_t>> rey, classic;
    for (auto [set, lines] : {std::pair{1, &rey}, std::pair{0, &classic}}) {
        catalog_.LoadConstellationLines(set);
        for (const auto& line : catalog_.ConstellationLines())
            lines->emplace_back(line.figure, catalog_.DefaultStars()[size_t(line.from)].number,
                                catalog_.DefaultStars()[size_t(line.to)].number);
    }
    // Rey: main figures only, in file order; Serpens split by position; HIP 3002 drawn as HR 5000.
    EXPECT_EQ(rey, (std::vector<std::tuple<int, int32_t, int32_t>>{
                       {RowNamed("Ursa Major"), 101, 102}, {RowNamed("Ursa Major"), 102, 103},
                       {RowNamed("Serpens Caput"), 5010, 5011}, {RowNamed("Serpens Cauda"), 5012, 5013},
                       {RowNamed("Lyra"), 7001, 1}, {RowNamed("Lyra"), 7001, GeneratedHr(1990)},
                       {RowNamed("Canis Major"), 2491, 5000}}));
    // Classic: 664 usable lines for a table of 647: the 17 whose fainter star is faintest go,
    // which are the last links of the chain; Taurus' three lines are all unusable.
    ASSERT_EQ(classic.size(), size_t(kClassicLineCapacity));
    auto has = [&](int k) {
        return std::ranges::any_of(classic, [&](auto& l) {
            return std::get<1>(l) == GeneratedHr(ChainIndex(k)) && std::get<2>(l) == GeneratedHr(ChainIndex(k + 1));
        });
    };
    EXPECT_EQ(std::vector<bool>({has(642), has(643), has(659)}), std::vector<bool>({true, false, false}));
    EXPECT_TRUE(std::ranges::any_of(classic, [](auto& l) { return std::get<1>(l) == 2491 && std::get<2>(l) == 5000; }));
    EXPECT_FALSE(std::ranges::any_of(classic, [](auto& l) { return std::get<0>(l) == RowNamed("Taurus"); }));
}

TEST_F(StarFilesBuild, SecondRunGivesTheSameBytesAndBadInputWritesNothing) {
    const auto first = report_.files;
    ASSERT_TRUE(Build("again/")) << report_.problem;
    for (const auto& file : first)
        EXPECT_TRUE(home_.ReadFile("again/" + file.name) == home_.ReadFile("data/" + file.name)) << file.name;

    const std::pair<std::string, std::string> bad[] = {
        {"skycultures/western_rey/constellationship.fab", "Lyr 2 91262 1000 91262\n"},
        {"skycultures/western_rey/constellationship.fab", "Xyz 1 91262 1000\n"},
        {"stars/default/cross-id.dat", "# HIP\t\tSAO\tHD\tHR\n1000\t\t1\t2\t1\n10O1\t\t\t\t2\n"}};
    const char* why[] = {"constellationship.fab line 1: 2 lines announced but 3 star numbers given",
                         "line 1: unknown constellation \"Xyz\"", "cross-id.dat line 3:"};
    for (int i = 0; i < 3; ++i) {
        home_.WriteFile("stellarium/" + bad[i].first, bad[i].second);
        EXPECT_FALSE(Build("bad/"));
        EXPECT_NE(report_.problem.find(why[i]), std::string::npos) << report_.problem;
    }
    EXPECT_TRUE(std::filesystem::is_empty(options_.dataDir));
}

// Greek letters count alpha 1 .. omega 24 with one sigma; anything else has no letter.
TEST(StarPacking, BayerLettersAndBlockCounts) {
    std::vector<int> letters;
    for (const char* bayer : {"α", "π1", "ρ", "σ", "ω", "b", "", "Ω"}) letters.push_back(databuild::BayerLetterCode(bayer));
    EXPECT_EQ(letters, (std::vector<int>{1, 16, 17, 18, 24, 0, 0, 0}));
    // Blocks of n entries for the stars, at least `minimumSlots` slots.
    using databuild::BlocksFor;
    EXPECT_EQ(std::vector<int32_t>({BlocksFor(84, 42, 0), BlocksFor(85, 42, 0), BlocksFor(5, 42, 9114)}),
              std::vector<int32_t>({2, 3, 217}));
}

}  // namespace
}  // namespace vsp
