// The observing kit through the built program: `polar` against ERFA's observed place of the
// pole stars (scripts/fixtures/polar_fixtures.py), and the checklist's edits through its file.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/EphemerisCsv.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

using KitCommands = ProgramHomeTest;

TEST_F(KitCommands, PoleStarsAgreeWithErfa) {
    double worstHourAngleArcsec = 0.0;
    const auto table = bodies::ReadEphemerisCsv("polar.csv", "tools");
    for (const bodies::CsvRow& row : table->rows) {
        SCOPED_TRACE(row.Text("star") + " " + row.Text("date") + " " + row.Text("time"));
        std::vector<std::string> args = {"--date", row.Text("date"), "--time", row.Text("time"), "--tz", "0",
                                         "--lat", row.Text("lat_deg"), "--lon", row.Text("lon_east_deg"),
                                         "--elev", row.Text("height_m"), "polar"};
        if (row.Text("star") == "south") args.push_back("--south");
        const nlohmann::json polar = Json(args);
        if (polar.empty()) continue;
        const double hourAngle = polar["hour_angle_hours"].get<double>();
        const double off = std::remainder(hourAngle - row.Number("hour_angle_hours"), 24.0) * 54000.0;  // arcsec
        worstHourAngleArcsec = std::max(worstHourAngleArcsec, std::fabs(off));
        EXPECT_LT(std::fabs(off), 30.0);
        EXPECT_NEAR(polar["pole_distance_arcmin"].get<double>(), row.Number("pole_distance_arcmin"), 1.0 / 60.0);
        EXPECT_NEAR(polar["next_upper_transit_jd_ut"].get<double>(), row.Number("next_transit_jd_ut"), 3.0 / 86400.0);
        // The polar scope's view is the sky's turned by half a turn.
        const auto minutes = [](const nlohmann::json& clock) {
            const std::string text = clock.get<std::string>();
            return std::stoi(text.substr(0, text.find(':'))) % 12 * 60 + std::stoi(text.substr(text.find(':') + 1));
        };
        EXPECT_EQ((minutes(polar["clock"]) - minutes(polar["clock_erect"]) + 720) % 720, 360);
        const double erect = minutes(polar["clock_erect"]) / 60.0;
        const double expected = row.Text("star") == "north" ? 12.0 - hourAngle / 2.0 : hourAngle / 2.0;
        EXPECT_LT(std::fabs(std::remainder(erect - expected, 12.0)), 1.0 / 60.0 + 1e-9);
    }
    RecordProperty("worst_hour_angle_arcsec", std::to_string(worstHourAngleArcsec));
}

TEST_F(KitCommands, ChecklistEditsGoThroughTheFile) {
    const auto page = [this](int n) { return Json({"checklist", "show", "--page", std::to_string(n)})["pages"][0]["items"]; };
    const size_t first = page(2).size();
    ASSERT_GT(first, 3u);  // the first content
    ASSERT_FALSE(Json({"checklist", "add", "--page", "2", "Dew shield on"}).empty());
    ASSERT_FALSE(Json({"checklist", "tick", "--page", "2", "2"}).empty());
    ASSERT_FALSE(Json({"checklist", "move", "--page", "2", std::to_string(first + 1), "1"}).empty());
    const nlohmann::json items = page(2);
    ASSERT_EQ(items.size(), first + 1);
    EXPECT_EQ(items[0]["text"], "Dew shield on");
    EXPECT_EQ(items[2]["ticked"], true);  // the ticked second item moved down by one
    ASSERT_FALSE(Json({"checklist", "reset"}).empty());
    for (const nlohmann::json& item : page(2)) EXPECT_EQ(item["ticked"], false);
    EXPECT_EQ(Run({"checklist", "tick", "--page", "2", "99"}).status, 1);
    EXPECT_EQ(Run({"checklist", "add", std::string(40, 'x')}).status, 1);

    std::ofstream(home_.Root() + "/userlogs/checklist.txt") << "## Page 1\n[x] Power\nPower cables\n";
    const ProgramResult damaged = Run({"checklist", "show"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("line 3"), std::string::npos) << damaged.err;
}

}  // namespace
}  // namespace vsp::test
