// The time and angle commands through the built program: the worked values, the degree sign
// in UTF-8, the ΔT rule's dependence on the observing date, and the zone and longitude of the clock
// (every row of ERFA's times is compared in tests/ephemeris).

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

class TimeCommands : public ProgramHomeTest {};

TEST_F(TimeCommands, DeltaTFollowsTheObservingDate) {
    EXPECT_NEAR(Json({"--date", "2026-01-01", "deltat", "1690-07-01"})["delta_t_s"].get<double>(), 7.75, 0.01);
    EXPECT_EQ(Json({"--date", "2010-11-30", "deltat", "2010-07-01"})["delta_t_s"].get<double>(), 66.184);
    ASSERT_EQ(Run({"prefs", "set", "delta_t_s=70.5"}).status, 0);
    EXPECT_EQ(Json({"--date", "2010-11-30", "deltat", "2010-07-01"})["delta_t_s"].get<double>(), 70.5);
    EXPECT_EQ(Run({"--date", "2026-01-01", "deltat", "1690-07-01"}).out, "7.751 s\n");
}

TEST_F(TimeCommands, FormatGivesTheScreenTextsInUtf8) {
    EXPECT_EQ(Run({"format", "degrees", "-70.75", "--code", "2"}).out, "-70\xC2\xB0" "45'00\n");
    EXPECT_EQ(Json({"format", "degrees", "-70.75", "--code", "3"})["text"], "-70\xC2\xB0" "45.0");
    EXPECT_EQ(Run({"format", "hours", "-1.5", "--code=1"}).out, "22:30:00\n");
    // Fixed point: 292818 units per hour or degree.
    EXPECT_EQ(Run({"format", "hours", "--fixed", "6954427", "--code", "1"}).out, "23:45:00\n");

    // Without --code, the preferences' RA and Dec formats (both 2 by default).
    EXPECT_EQ(Run({"format", "hours", "23.75"}).out, "23h45m00\n");
    ASSERT_EQ(Run({"prefs", "set", "ra_format=3", "dec_format=1"}).status, 0);
    EXPECT_EQ(Run({"format", "hours", "23.75"}).out, "23h45.0\n");
    EXPECT_EQ(Run({"format", "degrees", "-70.75"}).out, "-70:45:00\n");
}

TEST_F(TimeCommands, FormatUnknownCodeAndUsageErrors) {
    ProgramResult r = Run({"format", "hours", "23.75", "--code", "7"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "23h45m00\n");
    EXPECT_EQ(r.err, "HMSToStr Unkown hour format\n");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"format", "hours"}, {"format", "weeks", "3"}, {"format", "hours", "1", "--fixed", "2"},
             {"format", "hours", "--fixed", "99999999999"}}) {
        EXPECT_EQ(Run(args).status, 2) << testing::PrintToString(args);
    }
}

TEST_F(TimeCommands, ParseReadsEveryTypedForm) {
    EXPECT_EQ(Json({"parse", "1:30", "--hours-as-degrees"})["value"].get<double>(), 22.5);
    // The degree sign typed in UTF-8.
    EXPECT_EQ(Json({"parse", "-70\xC2\xB0" "45'00"})["value"].get<double>(), -70.75);
    EXPECT_EQ(Run({"parse", "-00:30"}).out, "-0.5\n");
    EXPECT_EQ(Run({"parse", "nothing"}).out, "0\n");
}

TEST_F(TimeCommands, CalendarAndJd) {
    nlohmann::json j = Json({"calendar", "2299160.5"});
    EXPECT_EQ(j, (nlohmann::json{{"year", 1582}, {"month", 10}, {"day", 15},
                                 {"hour", 0}, {"minute", 0}, {"second", 0}}));
    EXPECT_EQ(Run({"calendar", "2451545.25"}).out, "2000-01-01 18:00:00 UT\n");
    ProgramResult r = Run({"calendar", "1721057.4"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Invalid JD date\n");

    EXPECT_EQ(Json({"jd", "2000-01-01", "12:00"})["jd"].get<double>(), 2451545.0);
    EXPECT_EQ(Json({"--tz", "60", "jd", "2000-01-01", "13:00"})["jd"].get<double>(), 2451545.0);
    EXPECT_EQ(Run({"jd", "2000-01-01"}).out, "2451544.500000\n");
}

TEST_F(TimeCommands, TimeUsesTheZoneAndLongitude) {
    const nlohmann::json j = Json({"--date", "2000-01-01", "--time", "13:00", "--tz", "60", "--lon", "-30", "time"});
    ASSERT_FALSE(j.is_null());
    EXPECT_EQ(j["jd_ut"].get<double>(), 2451545.0);
    EXPECT_EQ(j["utc"], "2000-01-01T12:00:00Z");
    EXPECT_EQ(j["local"], "2000-01-01T13:00:00+01:00");
    // ERFA gmst82(2451545.0): 18.697374558333337 h; 30° west is two hours earlier.
    EXPECT_NEAR(j["lmst_hours"].get<double>(), 18.697374558333337 - 2, 1e-7);
    EXPECT_NEAR(j["decimal_year"].get<double>(), 2000 + 1.0 / 366, 1e-12);

    // --date alone is local midnight; the text form shows the same values.
    EXPECT_EQ(Json({"--date", "2000-01-01", "time"})["utc"], "2000-01-01T00:00:00Z");
    EXPECT_NE(Run({"--date", "2000-01-01", "time"}).out.find("2451544.500000"), std::string::npos);
}

}  // namespace
}  // namespace vsp::test
