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

}  // namespace
}  // namespace vsp::test
