// riseset and daylength through the built program: PyEphem's crossings (tests/data/moon) for
// bodies and fixed positions, the sentinels of high latitudes, the "Horizon" preference, the
// assistant's texts and the usage errors.

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"
#include "support/EphemerisCsv.h"
#include "support/RunProgram.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

using bodies::CsvRow;
using bodies::ReadEphemerisCsv;

constexpr double kMinute = 1.0 / 60.0;

class RiseSetCommands : public ProgramHomeTest {
protected:
    // The site and local date of a fixture row as common options.
    static std::vector<std::string> SiteOf(const CsvRow& row) {
        return {"--lat", row.Text("lat_deg"), "--lon", row.Text("lon_east_deg"), "--elev",
                row.Text("elevation_m"), "--tz", row.Text("tz_min"), "--date", row.Text("local_date")};
    }
};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Hours from `value` to the nearest crossing of the kind in the row (of the date, or the last
// one before it, or the first one after it).
std::optional<double> NearestCrossing(const CsvRow& row, const std::string& kind, double value) {
    std::optional<double> best;
    for (const char* suffix : {"_h", "2_h", "_prev_h", "_next_h"}) {
        if (!row.Has(kind + suffix)) continue;
        const double miss = value - row.Number(kind + suffix);
        if (!best || std::fabs(miss) < std::fabs(*best)) best = miss;
    }
    return best;
}

void ExpectCrossings(const CsvRow& row, const nlohmann::json& j, double tolerance, const std::string& where) {
    for (const char* kind : {"rise", "transit", "set"}) {
        const auto miss = NearestCrossing(row, kind, j[kind].get<double>());
        ASSERT_TRUE(miss) << where << " " << kind;
        EXPECT_LT(std::fabs(*miss), tolerance) << where << " " << kind << " " << j[kind];
    }
}

TEST_F(RiseSetCommands, BodiesAgreeWithPyEphemWithinAMinute) {
    auto table = ReadEphemerisCsv("../moon/riseset.csv");
    int checked = 0;
    // Every third observer-date, for all five bodies, as seen from the site: PyEphem's
    // horizon is the row's h0, given to --h0.
    for (size_t i = 0; i < table->rows.size(); ++i) {
        const CsvRow& row = table->rows[i];
        if ((i / 6) % 3 != 0) continue;
        const std::string body = row.Text("body");
        if (row.Text("frame") != "topocentric") continue;
        const auto j = Json(Join(SiteOf(row), {"riseset", body, "--h0", row.Text("h0_deg")}));
        const std::string where = row.Text("observer") + " " + row.Text("local_date") + " " + body;
        ASSERT_EQ(j["status"], row.Text("status")) << where;
        EXPECT_NEAR(j["h0_deg"].get<double>(), row.Number("h0_deg"), 1e-4) << where;
        if (j["status"] == "normal") ExpectCrossings(row, j, kMinute, where);
        ++checked;
    }
    EXPECT_GE(checked, 60);
}

TEST_F(RiseSetCommands, SentinelsOfTheHighLatitudeSunAndOfFixedPositions) {
    const std::vector<std::string> tromso = {"--lat", "70", "--lon", "18.95", "--tz", "60"};
    auto j = Json(Join(tromso, {"--date", "2024-06-21", "riseset", "sun"}));
    EXPECT_EQ(j["status"], "circumpolar");
    EXPECT_EQ(j["rise"].get<double>(), 0.0);
    EXPECT_EQ(j["transit"].get<double>(), 12.0);
    EXPECT_EQ(j["set"].get<double>(), 23.99);
    ProgramResult text = Run(Join(tromso, {"--date", "2024-06-21", "riseset", "sun"}));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("\xE2\x80\xA2" "Circumpolar object\n"), std::string::npos) << text.out;

    j = Json(Join(tromso, {"--date", "2024-12-21", "riseset", "sun"}));
    EXPECT_EQ(j["status"], "never_rises");
    EXPECT_EQ(j["rise"].get<double>(), 0.0);
    EXPECT_EQ(j["transit"].get<double>(), 0.0);
    EXPECT_EQ(j["set"].get<double>(), 0.0);

    const std::vector<std::string> site45 = {"--lat", "45", "--lon", "7.5", "--tz", "60", "--date", "2031-02-11"};
    j = Json(Join(site45, {"riseset", "--ra", "6", "--dec", "89"}));
    EXPECT_EQ(j["status"], "circumpolar");
    EXPECT_EQ(j["rise"].get<double>(), 0.0);
    EXPECT_EQ(j["set"].get<double>(), 23.99);
    text = Run(Join(site45, {"riseset", "--ra", "14", "--dec", "-60"}));
    EXPECT_NE(text.out.find("\xE2\x80\xA2" "Object never visible.\n"), std::string::npos) << text.out;
}

TEST_F(RiseSetCommands, FixedPositionsAgreeWithPyEphemWithinThreeMinutes) {
    auto table = ReadEphemerisCsv("../moon/fixed_riseset.csv");
    int checked = 0;
    for (size_t i = 0; i < table->rows.size(); i += 2) {
        const CsvRow& row = table->rows[i];
        const auto j = Json(Join(SiteOf(row), {"riseset", "--ra", row.Text("ra_date_noon_hours"), "--dec",
                                               row.Text("dec_date_noon_deg")}));
        const std::string where = row.Text("observer") + " " + row.Text("local_date") + " " + row.Text("target");
        ASSERT_EQ(j["status"], row.Text("status")) << where;
        if (j["status"] == "normal") ExpectCrossings(row, j, 3 * kMinute, where);
        ++checked;
    }
    EXPECT_GE(checked, 30);
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

TEST_F(RiseSetCommands, DayLengthAgreesWithPyEphemAndShowsTheAssistantTexts) {
    auto table = ReadEphemerisCsv("../moon/daylength.csv");
    int checked = 0;
    for (const CsvRow& row : table->rows) {
        if (row.Text("sun_status") != "normal" || !row.Has("day_length_h") || !row.Has("day_change_s")) continue;
        if (checked++ % 3 != 0) continue;
        const auto j = Json(Join(SiteOf(row), {"daylength"}));
        const std::string where = row.Text("observer") + " " + row.Text("local_date");
        EXPECT_NEAR(j["sunrise"].get<double>(), row.Number("sunrise_h"), kMinute) << where;
        EXPECT_NEAR(j["sunset"].get<double>(), row.Number("sunset_h"), kMinute) << where;
        EXPECT_NEAR(j["day_length_h"].get<double>(), row.Number("day_length_h"), kMinute) << where;
        EXPECT_NEAR(j["night_length_h"].get<double>(), 24 - row.Number("day_length_h"), kMinute) << where;
        EXPECT_NEAR(j["day_change_s"].get<double>(), row.Number("day_change_s"), 10.0) << where;
        EXPECT_NEAR(j["sunrise_az_deg"].get<double>(), row.Number("sunrise_az_deg"), 0.25) << where;
        EXPECT_NEAR(j["tz_hours"].get<double>(), row.Number("tz_min") / 60, 1e-12) << where;
        if (row.Text("civil_status") == "normal") {
            double civil = row.Number("civil_end_h") - row.Number("civil_begin_h");
            if (civil < 0) civil += 24;
            EXPECT_NEAR(j["civil_h"].get<double>(), civil, 2 * kMinute) << where;
        }
        for (const char* key : {"nautical_h", "astronomical_h", "lmst_hours"}) EXPECT_TRUE(j.contains(key)) << key;
    }
    EXPECT_GE(checked, 15);

    // London at the winter solstice (daylength.csv: 7.8283 h of day, 2.6 s shorter than the
    // day before, the Sun rising at azimuth 128.37°), the zone and the assistant's texts.
    const ProgramResult text = Run({"--lat", "51.5", "--lon", "-0.1278", "--tz", "0", "--date", "2024-12-21",
                                    "--time", "18:00", "daylength"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Day length: 07h50m -00m0"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Night length: 16h10m\n"), std::string::npos) << text.out;
    for (const char* label : {"Civil day", "Nautical day", "Astronomical day"}) {
        EXPECT_NE(text.out.find(label), std::string::npos) << label;
    }
    EXPECT_NE(text.out.find("+0\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("128\xC2\xB0\n"), std::string::npos) << text.out;
}

TEST_F(RiseSetCommands, UsageErrors) {
    EXPECT_EQ(Run({"riseset"}).status, 2);
    EXPECT_EQ(Run({"riseset", "vulcan"}).status, 2);
    EXPECT_EQ(Run({"riseset", "earth"}).status, 2);
    EXPECT_EQ(Run({"riseset", "--ra", "5"}).status, 2);
    EXPECT_EQ(Run({"riseset", "--ra", "25", "--dec", "5"}).status, 2);
    EXPECT_EQ(Run({"riseset", "--ra", "5", "--dec", "95"}).status, 2);
    EXPECT_EQ(Run({"riseset", "sun", "--ra", "5", "--dec", "5"}).status, 2);
    EXPECT_EQ(Run({"riseset", "sun", "--h0", "low"}).status, 2);
    EXPECT_EQ(Run({"daylength", "extra"}).status, 2);
    EXPECT_EQ(Run({"--date", "2024-06-21", "riseset", "13", "--json"}).status, 0);
}

}  // namespace
}  // namespace vsp::test
