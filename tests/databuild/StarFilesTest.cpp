// The star step on small packages written here: a few thousand Hipparcos stars with HR
// numbers, names and two figure sets; the files it writes are read back through the program's
// own star readers.

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/ConstellationTable.h"
#include "catalog/StarAngle.h"
#include "catalog/StarCatalog.h"
#include "databuild/DataBuild.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

struct FakeStar {
    int32_t hip;
    double raDeg, decDeg, v;
    std::string bv;
};

// Generated stars: HIP 1000 + i, getting fainter with i; every tenth has no HR number.
constexpr int kGenerated = 2000;
int32_t GeneratedHip(int i) { return 1000 + i; }
int32_t GeneratedHr(int i) { return i % 10 == 9 ? 0 : i + 1; }
double GeneratedV(int i) { return 1.0 + i * 0.0035; }

// The western chain: 661 consecutive generated stars with HR numbers.
std::vector<int> ChainIndexes() {
    std::vector<int> chain;
    for (int i = 0; chain.size() < 661; ++i)
        if (GeneratedHr(i)) chain.push_back(i);
    return chain;
}

std::string Pairs(const std::vector<std::pair<int32_t, int32_t>>& segments) {
    std::string out = std::to_string(segments.size());
    for (const auto& [a, b] : segments) out += " " + std::to_string(a) + " " + std::to_string(b);
    return out;
}

class StarFilesBuild : public testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < kGenerated; ++i)
            stars_.push_back({GeneratedHip(i), std::fmod(i * 47.123, 360.0) - 180.0, -75.0 + std::fmod(i * 13.37, 150.0),
                              GeneratedV(i), i % 7 == 0 ? "" : "1.234"});
        stars_.push_back({91262, 279.2347, 38.7837, 0.03, "-0.001"});    // Vega
        stars_.push_back({32349, 101.2872, -16.7161, -1.44, "0.009"});   // Sirius
        stars_.push_back({36850, 113.6494, 31.8883, 1.58, "0.034"});     // Castor, HR 2891 (A) and 2890 (B)
        stars_.push_back({3001, -160.0, 10.0, 2.2, "0.1"});              // HR 5000 on two stars: the brighter
        stars_.push_back({3002, -159.999, 10.0005, 2.9, "0.2"});
        stars_.push_back({3003, -0.0001, -0.5, 4.0, ""});                // rounds to 24h: 0h 0m 0s
        stars_.push_back({3010, -126.0, 10.0, 2.0, "0"});                // Serpens Caput (15.6h)
        stars_.push_back({3011, -124.0, 8.0, 2.0, "0"});
        stars_.push_back({3012, -90.0, -5.0, 2.0, "0"});                 // Serpens Cauda (18h)
        stars_.push_back({3013, -85.0, -3.0, 2.0, "0"});
        WriteInputs();
        options_.dataDir = home_.Path("data/");
        options_.stellariumDir = home_.Path("stellarium");
        options_.d3CelestialDir = home_.Path("d3");
        ASSERT_TRUE(MakeDirectory(options_.dataDir));
    }

    void WriteInputs() {
        nlohmann::json features = nlohmann::json::array();
        for (const FakeStar& s : stars_)
            features.push_back({{"type", "Feature"},
                                {"id", s.hip},
                                {"properties", {{"mag", s.v}, {"bv", s.bv}}},
                                {"geometry", {{"type", "Point"}, {"coordinates", {s.raDeg, s.decDeg}}}}});
        home_.WriteFile("d3/data/stars.14.json", nlohmann::json{{"type", "FeatureCollection"}, {"features", features}}.dump());
        nlohmann::json names = {
            {"91262", {{"name", "Vega"}, {"bayer", "α"}, {"flam", "3"}}},
            {"32349", {{"name", "Sirius"}, {"bayer", "α"}, {"flam", "9"}}},
            {"36850", {{"name", "Castor"}, {"bayer", "α"}, {"flam", "66"}}},
            {"1000", {{"name", "Deneb Kaitos Shemali"}, {"bayer", ""}, {"flam", nullptr}}},
            {"1001", {{"name", "Bélénos"}, {"bayer", "π1"}, {"flam", ""}}},
            {"1002", {{"name", ""}, {"bayer", "b"}, {"flam", "12"}}},
        };
        home_.WriteFile("d3/data/starnames.json", names.dump());

        std::string crossIds = "# HIP\t\tSAO\tHD\tHR\n";
        for (int i = 0; i < kGenerated; ++i)
            crossIds += std::to_string(GeneratedHip(i)) + "\t\t" + std::to_string(100000 + i) + "\t\t" +
                        (GeneratedHr(i) ? std::to_string(GeneratedHr(i)) : "") + "\n";
        crossIds += "91262\t\t67174\t172167\t7001\n32349\t\t151881\t48915\t2491\n"
                    "36850\tA\t60198\t60179\t2891\n36850\tB\t\t60178\t2890\n"
                    "3001\tA\t\t\t5000\n3002\tB\t\t\t5000\n3003\t\t\t\t5001\n"
                    "3010\t\t\t\t5010\n3011\t\t\t\t5011\n3012\t\t\t\t5012\n3013\t\t\t\t5013\n"
                    "4000\t\t\t\t6000\n";  // no such Hipparcos star
        home_.WriteFile("stellarium/stars/default/cross-id.dat", crossIds);

        std::vector<std::pair<int32_t, int32_t>> chain;
        const auto indexes = ChainIndexes();
        for (size_t k = 0; k + 1 < indexes.size(); ++k)
            chain.emplace_back(GeneratedHip(indexes[k]), GeneratedHip(indexes[k + 1]));
        home_.WriteFile("stellarium/skycultures/western/constellationship.fab",
                        "Ori " + Pairs(chain) +
                            "\n"
                            "Tau 3 1000 1000 1001 1000 1009 1010\n"  // to itself, repeated, star without HR
                            "Lyr 1 91262 1000\n"
                            "Ser 2 3010 3011 3012 3013\n"
                            "CMa 1 32349 3001\n");
        home_.WriteFile("stellarium/skycultures/western_rey/constellationship.fab",
                        "# chart 1\n"
                        "UMa\t2\t1100\t1101\t1101\t1102\t\n"
                        ".UMap\t1\t1103\t1104\n"
                        "Ser 2 3010 3011 3012 3013\n"
                        "Lyr 2 91262 1000 91262 2990\n"  // HIP 2990: a faint star, in only for its line
                        "CMa 1 32349 3002\n");           // the fainter component of HR 5000
    }

    int Build(databuild::BuildReport& report) { return databuild::BuildStarFiles(options_, report); }

    // The default star index of an HR number, -1 when absent.
    int DefaultIndexOf(int32_t hr) {
        for (int i = 0; i < catalog_.DefaultStarsRead(); ++i)
            if (catalog_.DefaultStars()[size_t(i)].number == hr) return i;
        return -1;
    }

    static int RowNamed(std::string_view name) {
        for (int i = 0; i < kConstellationCount; ++i)
            if (ConstellationName(*ConstellationAt(i)) == name) return i;
        return -1;
    }

    std::vector<FakeStar> stars_;
    test::TempHome home_;
    databuild::BuildOptions options_;
    RecordingInfoSink messages_;
    StarCatalog catalog_{home_.Dir(), messages_};
};

TEST_F(StarFilesBuild, DefaultStarsAndBrightStarNames) {
    databuild::BuildReport report;
    ASSERT_EQ(Build(report), 1) << report.problem;
    ASSERT_EQ(catalog_.OpenDefaultStars(), 1);
    ASSERT_EQ(catalog_.LoadDefaultStars(), 1);
    const auto& stars = catalog_.DefaultStars();
    for (int i = 1; i < kDefaultStarCount; ++i) EXPECT_LT(stars[size_t(i - 1)].number, stars[size_t(i)].number);

    // Vega: position, magnitude 0.03 read as 0, Flamsteed 3, alpha, in Lyra.
    const int vega = DefaultIndexOf(7001);
    ASSERT_GE(vega, 0);
    EXPECT_NEAR(AngleToHours(stars[size_t(vega)].ra), 279.2347 / 15.0, 1e-5);
    EXPECT_NEAR(AngleToDegrees(stars[size_t(vega)].dec), 38.7837, 1e-5);
    EXPECT_EQ(stars[size_t(vega)].magnitude, 0);
    EXPECT_EQ(stars[size_t(vega)].extra[0], 3);
    EXPECT_EQ(stars[size_t(vega)].extra[1], 1);
    const int16_t vegaRow = int16_t(stars[size_t(vega)].extra[2] | stars[size_t(vega)].extra[3] << 8);
    EXPECT_EQ(ConstellationAbbreviation(*ConstellationAt(vegaRow)), "Lyr");
    // HR 1 (V 1.0, B-V 1.234) has no Bayer letter; HR 2 is pi (16); HR 3 a Latin "b" (none).
    const StarRecord& hr2 = stars[size_t(DefaultIndexOf(2))];
    EXPECT_EQ(hr2.magnitude, std::lround(GeneratedV(1) * 16));
    EXPECT_EQ(hr2.colour, 12);
    EXPECT_EQ(hr2.extra[1], 16);
    EXPECT_EQ(stars[size_t(DefaultIndexOf(3))].extra[1], 0);
    EXPECT_EQ(stars[size_t(DefaultIndexOf(3))].extra[0], 12);

    // Castor's two HR numbers share one Hipparcos star: only the primary's is kept.
    EXPECT_GE(DefaultIndexOf(2891), 0);
    EXPECT_EQ(DefaultIndexOf(2890), -1);
    // HIP 2990 is far fainter than the brightness cut but a figure needs it; HR 1981 is only
    // a little fainter than the cut and not in a figure.
    EXPECT_GE(DefaultIndexOf(GeneratedHr(1990)), 0);
    EXPECT_EQ(DefaultIndexOf(GeneratedHr(1980)), -1);
    EXPECT_GE(DefaultIndexOf(GeneratedHr(1500)), 0);

    // Names: Vega, Sirius, Castor, the cut "Deneb Kaitos Shemali" and the accented one.
    ASSERT_EQ(catalog_.BrightStarCount(), 5);
    BrightStarRecord record;
    const int vegaName = catalog_.FindBrightStar(7001);
    ASSERT_EQ(catalog_.ReadBrightStar(vegaName, record), 1);
    EXPECT_STREQ(record.name, "Vega");
    EXPECT_EQ(record.starIndex, vega);
    ASSERT_EQ(catalog_.ReadBrightStar(catalog_.FindBrightStar(1), record), 1);
    EXPECT_STREQ(record.name, "Deneb Kaitos Shem");
    ASSERT_EQ(catalog_.ReadBrightStar(catalog_.FindBrightStar(2), record), 1);
    EXPECT_STREQ(record.name, "B\xE9l\xE9nos");
    std::string previous;
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(catalog_.ReadBrightStar(i, record), 1);
        EXPECT_LT(previous, std::string(record.name));
        previous = record.name;
    }
}

TEST_F(StarFilesBuild, StarsByNumberThroughBothIndexes) {
    databuild::BuildReport report;
    ASSERT_EQ(Build(report), 1) << report.problem;
    StarRecord star;
    ASSERT_EQ(catalog_.OpenExtendedCatalog(0), 1);  // HR
    EXPECT_EQ(catalog_.EntriesPerBlock(), 42);
    EXPECT_EQ(catalog_.ExtendedStarCount(), 217 * 42);
    ASSERT_GE(catalog_.StarByNumber(7001, star), 0);
    EXPECT_EQ(star.number, 7001);
    EXPECT_NEAR(AngleToHours(star.ra), 279.2347 / 15.0, 1.0 / 3600);  // whole seconds of time
    EXPECT_NEAR(AngleToDegrees(star.dec), 38.7837, 1.0 / 3600);      // whole arcseconds
    EXPECT_EQ(star.magnitude, 0);
    for (int32_t castor : {2890, 2891}) {
        star = StarRecord{};
        ASSERT_GE(catalog_.StarByNumber(castor, star), 0);
        EXPECT_EQ(star.number, castor);
        EXPECT_NEAR(AngleToDegrees(star.dec), 31.8883, 1.0 / 3600);
    }
    ASSERT_GE(catalog_.StarByNumber(5000, star), 0);
    EXPECT_NEAR(AngleToHours(star.ra), 200.0 / 15.0, 1e-6);  // the brighter component
    EXPECT_EQ(star.magnitude, std::lround(2.2 * 16));
    ASSERT_GE(catalog_.StarByNumber(5001, star), 0);
    EXPECT_EQ(star.ra, 0);
    EXPECT_NEAR(AngleToDegrees(star.dec), -0.5, 1e-6);
    EXPECT_EQ(star.magnitude, 64);
    EXPECT_EQ(star.colour, 0);
    EXPECT_EQ(catalog_.StarByNumber(6000, star), -1);           // HR without a Hipparcos star
    EXPECT_EQ(catalog_.StarByNumber(GeneratedHr(8) + 1, star), -1);  // no HR number there
    EXPECT_TRUE(messages_.messages.empty());

    ASSERT_EQ(catalog_.OpenExtendedCatalog(4), 1);  // 110K
    EXPECT_EQ(catalog_.EntriesPerBlock(), 80);
    ASSERT_GE(catalog_.StarByNumber(32349, star), 0);
    EXPECT_EQ(star.number, 32349);
    EXPECT_NEAR(AngleToDegrees(star.dec), -16.7161, 1.0 / 3600);
    EXPECT_EQ(star.magnitude, 0);  // Sirius, V -1.44: the field has no sign
    ASSERT_GE(catalog_.StarByNumber(GeneratedHip(9), star), 0);  // a star without HR
    EXPECT_EQ(star.number, GeneratedHip(9));
    EXPECT_EQ(catalog_.StarByNumber(120000, star), -1);
    EXPECT_TRUE(messages_.messages.empty());

    const std::pair<int, int32_t> sizes[] = {{1, 16002}, {2, 47680}, {3, 64000}};
    for (const auto& [row, count] : sizes) {
        EXPECT_EQ(catalog_.OpenExtendedCatalog(row), 1) << row;
        EXPECT_EQ(catalog_.ExtendedStarCount(), count) << row;
    }
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

TEST_F(StarFilesBuild, RegionWalkFindsTheStarsOfTheView) {
    databuild::BuildReport report;
    ASSERT_EQ(Build(report), 1) << report.problem;
    ASSERT_EQ(catalog_.OpenExtendedCatalog(1), 1);  // 16K
    StarWalkView view;
    view.limitingMagnitude = 6.0f;
    view.lowestDec = 30.0f;
    view.highestDec = 50.0f;
    view.windows[0] = {18 * 60 + 30, 18 * 60 + 45};
    WalkRecorder target;
    EXPECT_GT(catalog_.WalkRegion(view, target), 0);
    bool vega = false;
    for (const StarRecord& star : target.drawn) {
        vega = vega || star.number == (91262 & 0xFFFF);
        EXPECT_LE(star.magnitude, 96);
        EXPECT_GE(AngleToHours(star.ra), 18.5 - 1e-6);
        EXPECT_LT(AngleToHours(star.ra), 18.75);
    }
    EXPECT_TRUE(vega);
}

TEST_F(StarFilesBuild, ConstellationLinesJoinTheFigureStars) {
    databuild::BuildReport report;
    ASSERT_EQ(Build(report), 1) << report.problem;
    ASSERT_EQ(catalog_.OpenDefaultStars(), 1);
    ASSERT_EQ(catalog_.LoadDefaultStars(), 1);
    auto ends = [&](const ConstellationLine& line) {
        return std::make_pair(catalog_.DefaultStars()[size_t(line.from)].number,
                              catalog_.DefaultStars()[size_t(line.to)].number);
    };

    // Rey: main figures only, in file order; Serpens split by position; HIP 3002 drawn as HR 5000.
    catalog_.LoadConstellationLines(1);
    const auto& rey = catalog_.ConstellationLines();
    const std::vector<std::pair<int, std::pair<int32_t, int32_t>>> expected = {
        {RowNamed("Ursa Major"), {101, 102}},  {RowNamed("Ursa Major"), {102, 103}},
        {RowNamed("Serpens Caput"), {5010, 5011}}, {RowNamed("Serpens Cauda"), {5012, 5013}},
        {RowNamed("Lyra"), {7001, 1}},          {RowNamed("Lyra"), {7001, GeneratedHr(1990)}},
        {RowNamed("Canis Major"), {2491, 5000}}};
    ASSERT_EQ(rey.size(), expected.size());
    for (size_t i = 0; i < rey.size(); ++i) {
        EXPECT_EQ(rey[i].figure, expected[i].first) << i;
        EXPECT_EQ(ends(rey[i]), expected[i].second) << i;
    }

    // Classic: 664 usable lines for a table of 647: the 17 whose fainter star is faintest go,
    // which are the last links of the chain (it gets fainter star by star).
    catalog_.LoadConstellationLines(0);
    const auto& classic = catalog_.ConstellationLines();
    ASSERT_EQ(classic.size(), size_t(kClassicLineCapacity));
    const auto chain = ChainIndexes();
    auto has = [&](int32_t a, int32_t b) {
        for (const auto& line : classic)
            if (ends(line) == std::make_pair(a, b)) return true;
        return false;
    };
    EXPECT_TRUE(has(GeneratedHr(chain[642]), GeneratedHr(chain[643])));
    EXPECT_FALSE(has(GeneratedHr(chain[643]), GeneratedHr(chain[644])));
    EXPECT_FALSE(has(GeneratedHr(chain[659]), GeneratedHr(chain[660])));
    EXPECT_TRUE(has(7001, 1));
    EXPECT_TRUE(has(2491, 5000));
    int tau = 0;
    for (const auto& line : classic) tau += line.figure == RowNamed("Taurus") ? 1 : 0;
    EXPECT_EQ(tau, 0);  // all three of its lines are unusable
}

TEST_F(StarFilesBuild, SecondRunGivesTheSameBytes) {
    databuild::BuildReport first, second;
    ASSERT_EQ(Build(first), 1) << first.problem;
    EXPECT_EQ(first.files.size(), 10u);
    std::vector<std::string> bytes;
    for (const auto& file : first.files) bytes.push_back(home_.ReadFile("data/" + file.name));
    options_.dataDir = home_.Path("again/");
    ASSERT_TRUE(MakeDirectory(options_.dataDir));
    ASSERT_EQ(Build(second), 1) << second.problem;
    ASSERT_EQ(second.files.size(), first.files.size());
    for (size_t i = 0; i < first.files.size(); ++i) {
        EXPECT_EQ(second.files[i].name, first.files[i].name);
        EXPECT_TRUE(home_.ReadFile("again/" + first.files[i].name) == bytes[i]) << first.files[i].name;
        EXPECT_EQ(int64_t(bytes[i].size()), 16 + int64_t(first.files[i].records) * first.files[i].recordSize);
    }
}

TEST_F(StarFilesBuild, MissingOrMalformedInputStopsBeforeAnyFile) {
    std::filesystem::remove(home_.Path("stellarium/skycultures/western_rey/constellationship.fab"));
    databuild::BuildReport report;
    EXPECT_EQ(Build(report), 0);
    EXPECT_NE(report.problem.find("western_rey/constellationship.fab: not found"), std::string::npos) << report.problem;

    home_.WriteFile("stellarium/skycultures/western_rey/constellationship.fab", "Lyr 2 91262 1000 91262\n");
    report = {};
    EXPECT_EQ(Build(report), 0);
    EXPECT_NE(report.problem.find("constellationship.fab line 1: 2 lines announced but 3 star numbers given"),
              std::string::npos)
        << report.problem;

    home_.WriteFile("stellarium/skycultures/western_rey/constellationship.fab", "Xyz 1 91262 1000\n");
    report = {};
    EXPECT_EQ(Build(report), 0);
    EXPECT_NE(report.problem.find("line 1: unknown constellation \"Xyz\""), std::string::npos) << report.problem;

    home_.WriteFile("stellarium/stars/default/cross-id.dat", "# HIP\t\tSAO\tHD\tHR\n1000\t\t1\t2\t1\n10O1\t\t\t\t2\n");
    report = {};
    EXPECT_EQ(Build(report), 0);
    EXPECT_NE(report.problem.find("cross-id.dat line 3:"), std::string::npos) << report.problem;
    EXPECT_TRUE(std::filesystem::is_empty(options_.dataDir));
}

}  // namespace
}  // namespace vsp
