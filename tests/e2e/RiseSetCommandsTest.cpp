// riseset and daylength through the built program: the sentinels of high latitudes, the
// "Horizon" preference, the assistant's texts and the usage errors (PyEphem's crossings are
// compared in tests/ephemeris, on the same places).

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"
namespace vsp::test {
namespace {

using RiseSetCommands = ProgramHomeTest;

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(RiseSetCommands, SentinelsOfTheHighLatitudeSunAndOfFixedPositions) {
    const std::vector<std::string> tromso = {"--lat", "70", "--lon", "18.95", "--tz", "60"};
    auto j = Json(Join(tromso, {"--date", "2024-06-21", "riseset", "sun"}));
    EXPECT_EQ(j["status"], "circumpolar");
    EXPECT_EQ(j["rise"].get<double>(), 0.0);
    EXPECT_EQ(j["transit"].get<double>(), 12.0);
    EXPECT_EQ(j["set"].get<double>(), 23.99);
    j = Json(Join(tromso, {"--date", "2024-12-21", "riseset", "sun"}));
    EXPECT_EQ(j["status"], "never_rises");

    const std::vector<std::string> site45 = {"--lat", "45", "--lon", "7.5", "--tz", "60", "--date", "2031-02-11"};
    j = Json(Join(site45, {"riseset", "--ra", "6", "--dec", "89"}));
    EXPECT_EQ(j["status"], "circumpolar");
    const ProgramResult text = Run(Join(site45, {"riseset", "--ra", "14", "--dec", "-60"}));
    EXPECT_NE(text.out.find("\xE2\x80\xA2" "Object never visible.\n"), std::string::npos) << text.out;
}

TEST_F(RiseSetCommands, HorizonPreferenceRaisesTheDefaultAltitudeOnly) {
    const std::vector<std::string> london = {"--lat", "51.5", "--lon", "-0.1278", "--tz", "0", "--date", "2024-03-20"};
    const auto flat = Json(Join(london, {"riseset", "sun"}));
    const auto star = Json(Join(london, {"riseset", "--ra", "5.92", "--dec", "7.4"}));
    ASSERT_EQ(Run({"prefs", "set", "horizon=3"}).status, 0);  // "5°"
    const auto raised = Json(Join(london, {"riseset", "sun"}));
    EXPECT_NEAR(raised["h0_deg"].get<double>(), -0.833333 + 5, 1e-9);
    // At the equinox from 51.5° the Sun climbs at about 9.3° an hour: 5° more takes some 32 min.
    EXPECT_NEAR(raised["rise"].get<double>() - flat["rise"].get<double>(), 0.54, 0.05);
    EXPECT_NEAR(flat["set"].get<double>() - raised["set"].get<double>(), 0.54, 0.05);
    EXPECT_NEAR(raised["transit"].get<double>(), flat["transit"].get<double>(), 1e-3);
    const auto raisedStar = Json(Join(london, {"riseset", "--ra", "5.92", "--dec", "7.4"}));
    EXPECT_NEAR(raisedStar["h0_deg"].get<double>(), 5.0, 1e-9);
    EXPECT_GT(raisedStar["rise"].get<double>() - star["rise"].get<double>(), 0.4);

    const auto given = Json(Join(london, {"riseset", "sun", "--h0", "-0.833333"}));
    EXPECT_EQ(given["h0_deg"].get<double>(), -0.833333);
    EXPECT_NEAR(given["rise"].get<double>(), flat["rise"].get<double>(), 1e-9);
}

TEST_F(RiseSetCommands, DayLengthShowsTheAssistantTexts) {
    // The values against PyEphem are tested in tests/ephemeris; here the texts.
    // London at the winter solstice (daylength.csv: 7.8283 h of day, 2.6 s shorter than the
    // day before, the Sun rising at azimuth 128.37°), the zone and the assistant's texts.
    const ProgramResult text = Run({"--lat", "51.5", "--lon", "-0.1278", "--tz", "0", "--date", "2024-12-21",
                                    "--time", "18:00", "daylength"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Day length: 07h50m -00m0"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Night length: 16h10m\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("128\xC2\xB0\n"), std::string::npos) << text.out;
}

TEST_F(RiseSetCommands, NameOrPosition) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"riseset"}, {"riseset", "earth"}, {"riseset", "--ra", "5"}, {"riseset", "sun", "--ra", "5", "--dec", "5"}}) {
        EXPECT_EQ(Run(args).status, 2) << testing::PrintToString(args);
    }
    // A body named like a command is a body.
    EXPECT_EQ(Json({"--date", "2024-06-21", "riseset", "moon"})["code"], 1);
}

}  // namespace
}  // namespace vsp::test
