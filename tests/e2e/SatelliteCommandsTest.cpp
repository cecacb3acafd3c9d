// sat info and sat propagate through the built program, on element sets imported from the
// shared sample file: the site (stored west-positive) and the model choice must reach the
// computation the way the library tests check it.

#include <string>

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

}  // namespace
}  // namespace vsp::test
