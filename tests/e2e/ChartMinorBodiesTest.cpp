// Comets and minor planets on the chart: the element lines of tests/data/solarsystem imported
// into a program directory, then where `chart` puts them against PyEphem bodies made from the
// same elements (minor_chart.csv, scripts/fixtures/minor_chart_fixtures.py), what a tap there
// finds, and the magnitude limit that keeps a faint one off.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/CatalogHomeTest.h"
#include "support/EphemerisCsv.h"
#include "support/RunProgram.h"

namespace vsp::test {
namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

using bodies::CsvRow;

// Arcseconds between two places (hours, degrees).
double Separation(double ra1, double dec1, double ra2, double dec2) {
    const double dRa = std::remainder(ra1 - ra2, 24.0) * 15.0 * std::cos(dec1 * kDegToRad);
    return std::hypot(dRa, dec1 - dec2) * 3600.0;
}

class ChartMinorBodies : public CatalogHomeTest {
protected:
    void SetUp() override {
        CatalogHomeTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        table_ = bodies::ReadEphemerisCsv("minor_chart.csv", "solarsystem");
        const ProgramResult imported =
            Run({"minor", "import", std::string(VESPERTAR_TEST_DATA) + "/solarsystem/element_lines.txt"});
        ASSERT_EQ(imported.status, 0) << imported.err;
    }

    const CsvRow& Case(const std::string& name) const {
        for (const CsvRow& row : table_->rows)
            if (row.Text("name") == name) return row;
        ADD_FAILURE() << "no case " << name;
        return table_->rows.front();
    }

    // The row's UT at a place in geocentric mode, then `args`.
    ProgramResult At(const CsvRow& row, std::vector<std::string> args) {
        char date[16], time[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", int(row.Number("year")), int(row.Number("month")),
                      int(row.Number("day")));
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", int(row.Number("hour")), int(row.Number("minute")),
                      int(row.Number("second")));
        args.insert(args.begin(), {"--mode", "0", "--date", date, "--time", time, "--tz", "0", "--lat", "48.1",
                                   "--lon", "11.6"});
        return Run(args);
    }
    nlohmann::json AtJson(const CsvRow& row, std::vector<std::string> args) {
        args.push_back("--json");
        const ProgramResult r = At(row, args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.status == 0 ? nlohmann::json::parse(r.out) : nlohmann::json::object();
    }

    std::unique_ptr<bodies::CsvTable> table_;
};

const nlohmann::json* Placed(const nlohmann::json& chart, const std::string& kind, const std::string& designation) {
    for (const nlohmann::json& p : chart["placed"])
        if (p["kind"] == kind && p["designation"] == designation) return &p;
    return nullptr;
}

TEST_F(ChartMinorBodies, ACometLandsOnItsPlaceAndATapThereFindsIt) {
    const CsvRow& comet = Case("Hale-Bopp");
    // Half a degree across 480 pixels: 3.75" a pixel.
    const std::vector<std::string> view = {"--type", "4", "--zoom", "13", "--center", "C/1995 O1"};
    std::vector<std::string> args = {"chart"};
    args.insert(args.end(), view.begin(), view.end());
    const nlohmann::json chart = AtJson(comet, args);
    const nlohmann::json* placed = Placed(chart, "comet", "C/1995 O1");
    ASSERT_NE(placed, nullptr) << chart["placed"];
    EXPECT_LT(Separation((*placed)["ra_hours"], (*placed)["dec_deg"], comet.Number("ra_hours"), comet.Number("dec_deg")),
              1.0);
    EXPECT_NEAR((*placed)["magnitude"].get<double>(), comet.Number("magnitude"), 0.1);
    const std::string x = std::to_string((*placed)["x"].get<int>()), y = std::to_string((*placed)["y"].get<int>());

    std::vector<std::string> at = {"chart", "at", x, y};
    at.insert(at.end(), view.begin(), view.end());
    // The comet's whole pixel back to the sky: within a pixel and a half of the reference.
    const nlohmann::json sky = AtJson(comet, at);
    EXPECT_LT(Separation(sky["ra_hours"], sky["dec_deg"], comet.Number("j2000_ra_hours"), comet.Number("j2000_dec_deg")),
              1.5 * 3.75);

    std::vector<std::string> tap = {"chart", "tap", x, y};
    tap.insert(tap.end(), view.begin(), view.end());
    const nlohmann::json hit = AtJson(comet, tap);
    EXPECT_EQ(hit["designation"], "C/1995 O1");
    EXPECT_EQ(hit["label"], "C/1995 O1 (Hale-Bopp)");
    EXPECT_GT(hit["delta_au"].get<double>(), 1.0);
    // The line's epoch is 2020 Feb 24.0 TT (JD 2458903.5); the chart's instant is JD 2450539.625 UT.
    EXPECT_NEAR(hit["element_age_days"].get<double>(), 2450539.625 - 2458903.5, 0.01);
    const ProgramResult text = At(comet, tap);
    EXPECT_NE(text.out.find("Elements 8364 days ahead"), std::string::npos) << text.out;
}

TEST_F(ChartMinorBodies, AMinorPlanetKeepsToTheStarLimit) {
    const CsvRow& ceres = Case("Ceres");  // magnitude 9.0
    const std::vector<std::string> view = {"chart", "--type", "4", "--zoom", "8", "--center-ra",
                                           ceres.Text("j2000_ra_hours"), "--center-dec", ceres.Text("j2000_dec_deg")};
    ASSERT_EQ(Run({"prefs", "set", "zoom_10_stars=5"}).status, 0);  // "<10"
    const nlohmann::json bright = AtJson(ceres, view);
    const nlohmann::json* shown = Placed(bright, "asteroid", "(1)");
    ASSERT_NE(shown, nullptr) << bright["placed"];
    EXPECT_EQ((*shown)["name"], "(1) Ceres");
    EXPECT_NEAR((*shown)["magnitude"].get<double>(), ceres.Number("magnitude"), 0.1);
    ASSERT_EQ(Run({"prefs", "set", "zoom_10_stars=2"}).status, 0);  // "<8.5"
    const nlohmann::json faint = AtJson(ceres, view);
    EXPECT_EQ(Placed(faint, "asteroid", "(1)"), nullptr);
}

}  // namespace
}  // namespace vsp::test
