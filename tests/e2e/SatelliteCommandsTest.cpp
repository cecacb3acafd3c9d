// sat info and sat propagate through the built program, on element sets imported from the
// shared sample file: the site (stored west-positive) and the model choice must reach the
// computation the way the library tests check it.

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/EphemerisCsv.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class SatelliteCommands : public ProgramHomeTest {
protected:
    void SetUp() override {
        ASSERT_EQ(Run({"sat", "import", std::string(VESPERTAR_SHARED_DATA) + "/tle/visual-2025-07-20.tle"}).status, 0);
    }
};

TEST_F(SatelliteCommands, InfoMatchesPyEphemAtTheSite) {
    bodies::ForEachRow("../satellites/look_angles.csv", {"line1", "site", "jd"}, [this](const bodies::CsvRow& row) {
        const nlohmann::json info = Json({"sat", "info", row.Text("line1").substr(2, 5), "--lat", row.Text("lat_deg"),
                                          "--lon", row.Text("lon_deg"), "--tz", "0", "--date", row.Text("date"),
                                          "--time", row.Text("time")});
        EXPECT_NEAR(info["az_deg"].get<double>(), row.Number("az_deg"), 0.003);
        EXPECT_NEAR(info["alt_deg"].get<double>(), row.Number("alt_deg"), 0.003);
        EXPECT_NEAR(info["lon_deg"].get<double>(), row.Number("sublon_deg"), 0.003);
        EXPECT_NEAR(info["lat_deg"].get<double>(), row.Number("sublat_deg"), 1e-4);
        EXPECT_EQ(info["eclipsed"].get<bool>(), row.Number("eclipsed") != 0.0);
        EXPECT_EQ(info["model"], "sgp4");  // 6 days and more after the epoch
    });
}

TEST_F(SatelliteCommands, PropagateChoosesTheModelByAgeUnlessTold) {
    // ISS epoch 25201.26732422 = JD 2460876.76732422.
    EXPECT_EQ(Json({"sat", "propagate", "25544", "--jd", "2460881.7"})["model"], "sgp");
    EXPECT_EQ(Json({"sat", "propagate", "25544", "--jd", "2460881.8"})["model"], "sgp4");
    EXPECT_EQ(Json({"sat", "propagate", "25544", "--jd", "2460881.8", "--model", "sgp"})["model"], "sgp");
    EXPECT_EQ(Run({"sat", "propagate", "NO SUCH SATELLITE", "--jd", "2460881.8"}).status, 1);
}

// A 12-hour Molniya orbit against python3-sgp4's SGP4 with its deep-space branch: --model sdp4
// always, auto only once the setting asks for it; sat info says which formulas it used.
TEST_F(SatelliteCommands, DeepSpaceSettingReachesPropagateAndInfo) {
    home_.WriteFile("molniya.tle",
                    "MOLNIYA 2-14\n"
                    "1 08195U 75081A   06176.33215444  .00000099  00000-0  11873-3 0   813\n"
                    "2 08195  64.1586 279.0717 6877146 264.7651  20.2257  2.00491383225656\n");
    ASSERT_EQ(Run({"sat", "import", home_.Path("molniya.tle"), "--append"}).status, 0);
    const std::string jd = "2453913.83215444";  // 2880 minutes after the epoch
    const std::vector<std::string> info = {"sat",    "info",       "MOLNIYA", "--tz", "0",
                                           "--date", "2006-06-27", "--time",  "12:00"};
    const std::vector<std::string> propagate = {"sat", "propagate", "MOLNIYA", "--jd", jd};
    std::vector<std::string> forced = propagate;
    forced.insert(forced.end(), {"--model", "sdp4"});
    const nlohmann::json sdp4 = Json(forced);
    EXPECT_EQ(sdp4["model"], "sdp4");
    bodies::ForEachRow("../satellites/sdp4_reference.csv", {"line1", "minutes"}, [&](const bodies::CsvRow& row) {
        if (row.Text("line1").substr(2, 5) != "08195" || row.Number("minutes") != 2880.0) return;
        EXPECT_LT(
            std::hypot(sdp4["x_km"].get<double>() - row.Number("x_km"), sdp4["y_km"].get<double>() - row.Number("y_km"),
                       sdp4["z_km"].get<double>() - row.Number("z_km")),
            0.01);
    });
    const std::string warning = "Deep-space orbit: near-Earth formulas";
    EXPECT_EQ(Json(propagate)["model"], "sgp");
    EXPECT_EQ(Json(info)["model"], "sgp");
    EXPECT_TRUE(Json(info)["deep_space"].get<bool>());
    EXPECT_NE(Run(info).out.find(warning), std::string::npos);

    ASSERT_EQ(Run({"prefs", "set", "sat_deep_space=1"}).status, 0);
    const nlohmann::json chosen = Json(propagate);
    EXPECT_EQ(chosen["model"], "sdp4");
    EXPECT_EQ(chosen["x_km"], sdp4["x_km"]);
    EXPECT_EQ(Json(info)["model"], "sdp4");
    EXPECT_EQ(Run(info).out.find(warning), std::string::npos);
    // Near-Earth orbits keep the age rule.
    EXPECT_EQ(Json({"sat", "propagate", "25544", "--jd", "2460881.7"})["model"], "sgp");
}

}  // namespace
}  // namespace vsp::test
