// `chart`, `chart at` and `chart tap` on data built from the catalog packages: where the built
// bright stars land on the sky map against astropy's altitudes and azimuths (tests/data/chart,
// made by scripts/fixtures/chart_fixtures.py; every projection is compared with it in
// tests/chart), the inverse back to the sky, what a tap selects, centring on an object, the
// view's labels and the refusals of bad input.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/CatalogHomeTest.h"
#include "support/EphemerisCsv.h"
#include "support/RunProgram.h"

namespace vsp::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

using bodies::CsvRow;

// The fixture's rows, grouped by case.
std::vector<std::vector<const CsvRow*>> ByCase(const bodies::CsvTable& table) {
    std::vector<std::vector<const CsvRow*>> cases;
    for (const CsvRow& row : table.rows) {
        const size_t index = size_t(row.Number("case"));
        if (cases.size() <= index) cases.resize(index + 1);
        cases[index].push_back(&row);
    }
    return cases;
}

class ChartCommand : public CatalogHomeTest {
protected:
    void SetUp() override {
        CatalogHomeTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        table_ = bodies::ReadEphemerisCsv("../chart/chart_projections.csv");
        cases_ = ByCase(*table_);
        ASSERT_FALSE(cases_.empty());
    }

    // The observing instant and place of fixture case `row`, then `args`.
    ProgramResult Run(const CsvRow& row, std::vector<std::string> args) const {
        char date[16], time[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", int(row.Number("year")), int(row.Number("month")),
                      int(row.Number("day")));
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", int(row.Number("hour")), int(row.Number("minute")),
                      int(row.Number("second")));
        const double lonEast = -row.Number("longitude_west");
        args.insert(args.begin(), {"--home", home_.Root(), "--mode", "0", "--date", date, "--time", time, "--tz",
                                   row.Text("tz"), "--lat", row.Text("latitude"), "--lon", std::to_string(lonEast)});
        return RunVespertar(args);
    }
    nlohmann::json Json(const CsvRow& row, std::vector<std::string> args) const {
        args.push_back("--json");
        const ProgramResult r = Run(row, args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.status == 0 ? nlohmann::json::parse(r.out) : nlohmann::json::object();
    }

    std::unique_ptr<bodies::CsvTable> table_;
    std::vector<std::vector<const CsvRow*>> cases_;
};

// Sigma Octantis (5.4) is fainter than the naked-eye stars the chart holds in memory.
bool InDefaultStars(const CsvRow& star) { return star.Text("star") != "SigmaOct"; }

// The placed bright star at the fixture star's J2000 place (within 0.02 degree), or null.
const nlohmann::json* FindStar(const nlohmann::json& chart, const CsvRow& star) {
    const double ra = star.Number("ra_hours"), dec = star.Number("dec_deg");
    for (const nlohmann::json& p : chart["placed"]) {
        if (p["kind"] != "bright_star") continue;
        const double dRa = std::remainder(p["ra_hours"].get<double>() - ra, 24.0) * 15.0 * std::cos(dec * kPi / 180);
        if (std::hypot(dRa, p["dec_deg"].get<double>() - dec) < 0.02) return &p;
    }
    return nullptr;
}

TEST_F(ChartCommand, SkyMapPlacesEveryBrightStarAboveTheHorizonStereographicallyAndTapsComeBack) {
    for (const std::vector<const CsvRow*>& rows : cases_) {
        const nlohmann::json chart = Json(*rows[0], {"chart", "--type", "0", "--zoom", "0"});
        const double radius = std::abs(chart["scale_x"].get<double>()) / 65536.0 * 64.0;
        const double cx = chart["center_x"], cy = chart["center_y"];
        int checked = 0;
        for (const CsvRow* row : rows) {
            const CsvRow& star = *row;
            if (!InDefaultStars(star)) continue;
            const double alt = star.Number("alt_deg");
            const nlohmann::json* placed = FindStar(chart, star);
            if (alt < -0.1) {
                EXPECT_EQ(placed, nullptr) << star.Text("star") << " is below the horizon";
            }
            if (alt < 0.1) continue;
            ASSERT_NE(placed, nullptr) << star.Text("star") << " case " << star.Text("case");
            const double x = cx + star.Number("map_x") * radius, y = cy - star.Number("map_y") * radius;
            EXPECT_NEAR((*placed)["x"].get<double>(), x, 2.0) << star.Text("star") << " case " << star.Text("case");
            EXPECT_NEAR((*placed)["y"].get<double>(), y, 2.0) << star.Text("star") << " case " << star.Text("case");
            if (++checked % 8 != 1) continue;
            const ProgramResult at = Run(star, {"chart", "at", std::to_string((*placed)["x"].get<int>()),
                                                std::to_string((*placed)["y"].get<int>()), "--type", "0", "--zoom",
                                                "0", "--json"});
            ASSERT_EQ(at.status, 0) << at.err;
            const nlohmann::json sky = nlohmann::json::parse(at.out);
            EXPECT_NEAR(sky["alt_deg"].get<double>(), alt, 0.5) << star.Text("star");
            const double dAz = std::remainder(sky["az_deg"].get<double>() - star.Number("az_deg"), 360.0);
            EXPECT_LT(std::abs(dAz) * std::cos(alt * kPi / 180), 0.5) << star.Text("star");
        }
        EXPECT_GT(checked, 8);
    }
}

TEST_F(ChartCommand, CentringOnAnObjectPutsItInTheMiddleItsNameBesideItAndTheLabelIsUtf8) {
    const CsvRow& winter = *cases_[0][0];
    for (const char* type : {"2", "4"}) {
        const nlohmann::json chart = Json(winter, {"chart", "--type", type, "--zoom", "7", "--center", "M42"});
        bool found = false;
        for (const nlohmann::json& p : chart["placed"]) {
            if (p["name"] != "M42") continue;
            found = true;
            EXPECT_NEAR(p["x"].get<double>(), 240, 1.0);
            EXPECT_NEAR(p["y"].get<double>(), 320, 1.0);
        }
        EXPECT_TRUE(found) << "type " << type;
        // The selection's name as drawn: the ink just right of the middle, a little below its top.
        const nlohmann::json& labels = chart["labels"];
        const auto name = std::ranges::find_if(labels, [](const nlohmann::json& l) { return l["text"] == "M42"; });
        ASSERT_NE(name, labels.end()) << "type " << type;
        EXPECT_GT((*name)["x"].get<int>(), 240);
        EXPECT_LT((*name)["x"].get<int>(), 260);
        EXPECT_GE((*name)["y"].get<int>(), 318);
        EXPECT_LT((*name)["y"].get<int>(), 330);
        EXPECT_GT((*name)["w"].get<int>(), 30);
        EXPECT_GT((*name)["h"].get<int>(), 10);
    }
    EXPECT_EQ(Json(winter, {"chart", "--type", "4", "--zoom", "10"})["fov_label"], "FOV 2.5\u00B0");
}

// Angle between two places, degrees.
double SeparationDeg(double ra1Deg, double dec1Deg, double ra2Deg, double dec2Deg) {
    const double r = kPi / 180;
    const double c = std::sin(dec1Deg * r) * std::sin(dec2Deg * r) +
                     std::cos(dec1Deg * r) * std::cos(dec2Deg * r) * std::cos((ra1Deg - ra2Deg) * r);
    return std::acos(std::clamp(c, -1.0, 1.0)) / r;
}

// A program directory with nothing stored but the built catalogs draws, zoomed in to level 8,
// the Hipparcos stars down to the level's limit: as many within 3 degrees of the centre as the
// catalog package holds there. With the 9110 HR stars it would draw a few dozen on the whole chart.
TEST_F(ChartCommand, AFreshProgramDirectoryDrawsHipparcosStarsZoomedIn) {
    constexpr double kRaDeg = 82.5, kDecDeg = 0, kRadiusDeg = 3;  // Orion's belt and below
    const nlohmann::json chart = Json(*cases_[0][0], {"chart", "--type", "4", "--zoom", "8", "--center-ra", "5.5",
                                                      "--center-dec", "0"});
    ASSERT_EQ(chart["limits_label"], "O<12, S<9");
    int drawn = 0;
    for (const nlohmann::json& p : chart["placed"])
        if (p["kind"] == "star" &&
            SeparationDeg(p["ra_hours"].get<double>() * 15, p["dec_deg"], kRaDeg, kDecDeg) < kRadiusDeg)
            ++drawn;
    std::ifstream in(D3CelestialDir() + "/data/stars.14.json");
    ASSERT_TRUE(in) << D3CelestialDir();
    const nlohmann::json catalog = nlohmann::json::parse(in);
    int listed = 0;
    for (const nlohmann::json& star : catalog["features"]) {
        const nlohmann::json& at = star["geometry"]["coordinates"];
        if (star["properties"]["mag"].get<double>() < 9 &&
            SeparationDeg(at[0].get<double>(), at[1], kRaDeg, kDecDeg) < kRadiusDeg)
            ++listed;
    }
    ASSERT_GT(listed, 100);
    EXPECT_NEAR(drawn, listed, 3);  // stars at the circle's edge, magnitudes at the limit

    // A card whose file was not built is told once, and the chart is still drawn.
    ASSERT_FALSE(std::filesystem::exists(home_.Path("data/vespertar_tycho_390k.ppc")));
    ASSERT_EQ(RunVespertar({"--home", home_.Root(), "prefs", "set", "card_catalog=5"}).status, 0);
    const ProgramResult tycho = Run(*cases_[0][0], {"chart", "--type", "4", "--zoom", "8", "-o", home_.Path("t.png")});
    EXPECT_EQ(tycho.status, 0) << tycho.err;
    const std::string told = "Could not open star catalog Tycho 390K";
    const size_t at = tycho.err.find(told);
    ASSERT_NE(at, std::string::npos) << tycho.err;
    EXPECT_EQ(tycho.err.find(told, at + 1), std::string::npos) << tycho.err;
}

// On every chart type, a tap on or a few pixels beside an object, a default star or a walked star
// that lies clear of its own and earlier sources (pu 2) selects it; a tap on nothing fails.
TEST_F(ChartCommand, TapsSelectWhatTheChartPlacedThereOnEveryType) {
    // The 9110 HR stars: sparse enough at level 8 for walked stars to stand clear of the others.
    ASSERT_EQ(RunVespertar({"--home", home_.Root(), "prefs", "set", "card_catalog=0"}).status, 0);
    const CsvRow& winter = *cases_[0][0];
    const std::map<std::string, int> sourceOrder = {{"object", 0}, {"body", 0}, {"bright_star", 1}, {"star", 2}};
    for (const char* type : {"0", "1", "2", "3", "4"}) {
        const std::vector<std::string> view = {"--type", type, "--zoom", "8", "--dpi", "96", "--center", "M42"};
        const auto withView = [&](std::vector<std::string> args) {
            args.insert(args.end(), view.begin(), view.end());
            return args;
        };
        const nlohmann::json placed = Json(winter, withView({"chart"}))["placed"];
        std::map<std::string, int> tapped;
        for (const nlohmann::json& p : placed) {
            const int x = p["x"], y = p["y"];
            const bool clear = x > 10 && x < 470 && std::none_of(placed.begin(), placed.end(), [&](auto& q) {
                return &q != &p && sourceOrder.at(q["kind"]) <= sourceOrder.at(p["kind"]) &&
                       std::abs(q["x"].template get<int>() - x) < 30 && std::abs(q["y"].template get<int>() - y) < 30;
            });
            if (!clear || tapped[p["kind"]]++ > 0) continue;
            for (int offset : {0, 6}) {  // 6: the edge of the first pass's star box
                const auto tap = withView({"chart", "tap", std::to_string(x + offset), std::to_string(y - offset)});
                EXPECT_EQ(Json(winter, tap)["designation"], p["designation"]) << "type " << type << " " << p;
            }
        }
        for (const char* kind : {"object", "bright_star", "star"}) EXPECT_GT(tapped[kind], 0) << type << kind;
    }
    const ProgramResult none = Run(winter, {"chart", "tap", "240", "320", "--type", "3", "--zoom", "8",
                                            "--center-az", "0", "--center-alt", "-60"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "nothing there\n");
}

// A selected star: a centred chart turns to it, a horizontal one keeps its centre and marks the
// star where it placed it; the overlay sizes drawn come with the selection.
TEST_F(ChartCommand, ASelectedStarTurnsOnlyTheCentredChartsAndCarriesTheOverlays) {
    const CsvRow& winter = *cases_[0][0];
    const nlohmann::json centred =
        Json(winter, {"chart", "--type", "4", "--zoom", "8", "--select", "HR2061", "--telrad", "--eyepiece", "0"});
    EXPECT_NEAR(centred["selection"]["x"].get<double>(), 240, 1.0);
    EXPECT_NEAR(centred["selection"]["y"].get<double>(), 320, 1.0);
    EXPECT_EQ(centred["overlays"]["telrad_px"].size(), 3u);
    EXPECT_TRUE(centred["overlays"]["eyepiece_px"].is_null());
    const nlohmann::json sky = Json(winter, {"chart", "--type", "0", "--select", "Betelgeuse"});
    EXPECT_EQ(sky["center_x"], Json(winter, {"chart", "--type", "0"})["center_x"]);
    // The mark is projected from the star's place in floating point, the star from its record.
    for (const nlohmann::json& p : sky["placed"]) {
        if (p["designation"] != "HR2061") continue;
        EXPECT_NEAR(sky["selection"]["x"].get<int>(), p["x"].get<int>(), 1);
        EXPECT_NEAR(sky["selection"]["y"].get<int>(), p["y"].get<int>(), 1);
    }
}

TEST_F(ChartCommand, BadInputIsRefusedAndLeavesNoPicture) {
    const CsvRow& winter = *cases_[0][0];
    const std::string png = testing::TempDir() + "chart-refused.png";
    std::filesystem::remove(png);
    EXPECT_EQ(Run(winter, {"chart", "--zoom", "20", "-o", png}).status, 2);
    EXPECT_EQ(Run(winter, {"chart", "--size", "0x0", "-o", png}).status, 2);
    const ProgramResult unknown = Run(winter, {"chart", "--center", "NGC 99999", "-o", png});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("NGC 99999"), std::string::npos) << unknown.err;
    EXPECT_FALSE(std::filesystem::exists(png));
    const std::string unwritable = testing::TempDir() + "no-such-dir/chart.png";
    EXPECT_EQ(Run(winter, {"chart", "-o", unwritable}).status, 1);

    ASSERT_EQ(Run(winter, {"chart", "--night", "2", "-o", png}).status, 0);
    std::ifstream in(png, std::ios::binary);
    char signature[8] = {};
    in.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
}

}  // namespace
}  // namespace vsp::test
