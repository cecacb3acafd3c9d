// sat flares says that the satellites that made the flares were retired, beside an unchanged
// list: on standard error in both forms and in each flare of the JSON.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

using SatelliteFlareNote = ProgramHomeTest;

TEST_F(SatelliteFlareNote, GoesBesideTheListNotIntoIt) {
    ASSERT_EQ(Run({"sat", "import", std::string(VESPERTAR_SHARED_DATA) + "/tle/iridium-2014-09-18.tle"}).status, 0);
    const std::vector<std::string> at = {"--lat", "48.85", "--lon", "2.35", "--date", "2014-09-18", "--time", "12:00",
                                         "sat", "flares"};
    const ProgramResult text = Run(at);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.substr(0, text.out.find('\n')), "name                  time                 mag  alt     az  angle");
    EXPECT_NE(text.err.find("retired in 2019"), std::string::npos) << text.err;
    const nlohmann::json flares = Json(at);
    ASSERT_FALSE(flares.empty());
    for (const auto& flare : flares) EXPECT_NE(flare["note"].get<std::string>().find("retired in 2019"), std::string::npos);
}

}  // namespace
}  // namespace vsp::test
