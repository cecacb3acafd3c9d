// sat passes and sat flares as a user runs them: the observing time and zone, the JSON keys and
// the usage rules (the searches themselves are checked in tests/satellites).

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

using SatellitePassCommands = ProgramHomeTest;

TEST_F(SatellitePassCommands, SearchesFromTheObservingTimeInLocalTime) {
    ASSERT_EQ(Run({"sat", "import", std::string(VESPERTAR_SHARED_DATA) + "/tle/visual-2025-07-20.tle"}).status, 0);
    const nlohmann::json list = Json({"--lat", "48.85", "--lon", "2.35", "--tz", "120", "--date", "2025-07-20", "--time",
                                      "02:00", "sat", "passes", "ISS", "--days", "2"});
    ASSERT_EQ(list.size(), 12u);  // skyfield's 13 in two days, one of them in the shadow throughout
    const nlohmann::json& first = list[0];
    EXPECT_EQ(first["name"], "ISS (ZARYA)");
    // skyfield's rise; PyEphem's next_pass: 14:20:06 UT at azimuth 140.30.
    EXPECT_NEAR(first["rise_jd_ut"].get<double>(), 2460877.09729817, 10.0 / 86400.0);
    EXPECT_EQ(first["rise_local"].get<std::string>().substr(0, 16), "2025-07-20 16:20");
    EXPECT_NEAR(first["rise_az_deg"].get<double>(), 140.30, 0.1);
    EXPECT_EQ(Run({"sat", "passes"}).status, 2);
    EXPECT_EQ(Run({"sat", "passes", "ISS", "--all"}).status, 2);
    EXPECT_EQ(Run({"sat", "flares", "--min-alt", "11"}).status, 2);
}

// --visible lists only passes visible at some moment, with the ISS's built-in magnitude until a
// user's file overrides it; the file's bad lines are named, a file without a good one leaves the
// kept one alone; elements past the setting mark their passes.
TEST_F(SatellitePassCommands, VisiblePassesTakeTheUsersMagnitudesAndMarkOldElements) {
    ASSERT_EQ(Run({"sat", "import", std::string(VESPERTAR_SHARED_DATA) + "/tle/visual-2025-07-20.tle"}).status, 0);
    const std::vector<std::string> paris = {"--lat", "48.85", "--lon", "2.35", "--tz", "120", "--date", "2025-07-20",
                                            "--time", "20:00"};
    const auto visible = [&](std::vector<std::string> args) {
        args.insert(args.begin(), paris.begin(), paris.end());
        return Json(args);
    };
    const nlohmann::json builtIn = visible({"sat", "passes", "ISS", "--visible", "--days", "1"});
    ASSERT_FALSE(builtIn.empty());
    for (const auto& pass : builtIn) {
        EXPECT_TRUE(pass["visible_at_rise"].get<bool>() || pass["visible_at_max"].get<bool>() ||
                    pass["visible_at_set"].get<bool>());
        EXPECT_FALSE(pass["old_elements"].get<bool>());
        EXPECT_NEAR(pass["age_days"].get<double>(), 2460877.25 - 2460876.767324, 1e-5);  // epoch 25200.26732
    }

    home_.WriteFile("mags.txt", "# number, magnitude\n25544, -1.5\nAQUA 2.2\n27424 ,2.2\n1000000000,1\n\n");
    const nlohmann::json report = Json({"sat", "import", "--magnitudes", home_.Root() + "mags.txt"});
    EXPECT_EQ(report["imported"], 2);
    ASSERT_EQ(report["rejected"].size(), 2u);
    EXPECT_EQ(report["rejected"][0]["line"], 3);
    EXPECT_EQ(report["rejected"][1]["line"], 5);
    home_.WriteFile("none.txt", "nothing here\n");
    EXPECT_EQ(Run({"sat", "import", "--magnitudes", home_.Root() + "none.txt"}).status, 1);
    EXPECT_EQ(home_.ReadFile("usercatalogs/satellite_magnitudes.txt"), "25544, -1.5\n27424, 2.2\n");

    const nlohmann::json users = visible({"sat", "passes", "ISS", "--visible", "--days", "1"});
    ASSERT_EQ(users.size(), builtIn.size());
    for (size_t i = 0; i < users.size(); ++i)
        EXPECT_NEAR(users[i]["magnitude"].get<double>() - builtIn[i]["magnitude"].get<double>(), 0.3, 1e-9);
    int aqua = 0, unknown = 0;
    for (const auto& pass : visible({"sat", "passes", "--all", "--visible"})) {
        const bool isAqua = pass["name"] == "AQUA";
        EXPECT_EQ(pass["magnitude"].is_number(), isAqua || pass["name"] == "ISS (ZARYA)") << pass["name"];
        (isAqua ? aqua : unknown) += 1;
    }
    EXPECT_GT(aqua, 0);
    EXPECT_GT(unknown, 0);

    ASSERT_EQ(Run({"prefs", "set", "sat_old_elements_days=1"}).status, 0);
    const ProgramResult text = Run({"--lat", "48.85", "--lon", "2.35", "--date", "2025-07-23", "sat", "passes", "ISS",
                                    "--visible", "--days", "1"});
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("old elements\n"), std::string::npos) << text.out;
}

}  // namespace
}  // namespace vsp::test
