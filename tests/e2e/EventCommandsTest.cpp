// The phases and eclipses commands through the built program: PyEphem's phase instants over
// 1900-2100, astronomy-engine's eclipses of 2000-2100 in one long list, the 2009 edge cases,
// the keys, and the usage errors.

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/EphemerisCsv.h"
#include "support/RunProgram.h"
#include "support/TempHome.h"

namespace vsp::test {
namespace {

using bodies::CsvRow;
using bodies::ReadEphemerisCsv;

class EventCommands : public testing::Test {
protected:
    ProgramResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home_.Root(), "--tz", "0"});
        return RunVespertar(args);
    }
    nlohmann::json Json(std::vector<std::string> args) {
        args.push_back("--json");
        ProgramResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        if (r.status != 0) return nlohmann::json::array();
        return nlohmann::json::parse(r.out);
    }

    TempHome home_;
};

// "2000-01-21T04:43:57Z" (or with fractional seconds) as a JD.
double JdOfIso(const std::string& text) {
    const bodies::CivilTime t = bodies::ParseIsoTime(text);
    int y = t.year, m = t.month;
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    const int a = y / 100;
    const int b = 2 - a + a / 4;
    return std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * (m + 1)) + t.day + b - 1524.5 +
           (t.hour + t.minute / 60.0 + t.second / 3600.0) / 24.0;
}

TEST_F(EventCommands, PhasesFromAWindowStartAreThoseOfPyEphem) {
    const auto table = ReadEphemerisCsv("../moon/phases.csv");
    std::map<std::string, std::vector<const CsvRow*>> windows;
    for (const auto& row : table->rows) windows[row.Text("window_start")].push_back(&row);
    ASSERT_GE(windows.size(), 10u);
    int before2000 = 0;
    for (const auto& [start, rows] : windows) {
        const auto list = Json({"--date", start, "phases", "--count", std::to_string(rows.size())});
        ASSERT_EQ(list.size(), rows.size()) << start;
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(list[i]["phase"], rows[i]->Text("phase")) << start << " " << i;
            const double jd = list[i]["jd_ut"].get<double>();
            // A phase in the observing year takes the preferences' ΔT (66.184 s) rather than
            // its date's: that difference is the ΔT rule's, not the theory's.
            double seconds = 120;
            if (rows[i]->Text("ut").substr(0, 4) == start.substr(0, 4)) {
                seconds += std::fabs(66.184 - rows[i]->Number("pyephem_delta_t_s"));
            }
            EXPECT_NEAR(jd, rows[i]->Number("ut_jd"), seconds / 86400) << start << " " << rows[i]->Text("ut");
            EXPECT_NEAR(JdOfIso(list[i]["utc"].get<std::string>()), jd, 0.6 / 86400);
        }
        before2000 += start < "2000";
    }
    EXPECT_GE(before2000, 4);
}

TEST_F(EventCommands, PhasesStartAtTheObservingTime) {
    const auto table = ReadEphemerisCsv("../moon/phases.csv");
    // A minute after a full moon of PyEphem's list, with the clock in another zone.
    const CsvRow* full = nullptr;
    for (const auto& row : table->rows) {
        if (row.Text("window_start") == "2009-01-10" && row.Text("phase") == "full") {
            full = &row;
            break;
        }
    }
    ASSERT_NE(full, nullptr);
    const bodies::CivilTime t = bodies::ParseIsoTime(full->Text("ut"));
    char date[32], clock[32];
    // Local clock = UT + 90 minutes (this full moon is at 03:27 UT, so the date stays).
    const int minutes = t.hour * 60 + t.minute + 91;
    const int hour = minutes / 60, minute = minutes % 60, day = t.day;
    ASSERT_LT(hour, 24);
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", t.year, t.month, day);
    std::snprintf(clock, sizeof clock, "%02d:%02d", hour, minute);
    const auto list = Json({"--date", date, "--time", clock, "--tz", "90", "phases"});
    ASSERT_EQ(list.size(), 4u);  // one of each by default
    EXPECT_EQ(list[0]["phase"], "last_quarter");
    EXPECT_EQ(list[1]["phase"], "new");
    EXPECT_EQ(list[2]["phase"], "first_quarter");
    EXPECT_EQ(list[3]["phase"], "full");
    EXPECT_GT(list[0]["jd_ut"].get<double>(), full->Number("ut_jd") + 5);
    for (size_t i = 1; i < list.size(); ++i) {
        EXPECT_GT(list[i]["jd_ut"].get<double>(), list[i - 1]["jd_ut"].get<double>() + 5);
    }

    ProgramResult text = Run({"--date", "2009-01-10", "phases", "--count", "1"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("Full Moon      2009-01-11T", 0), 0u) << text.out;
}

TEST_F(EventCommands, FourHundredSixtyEclipsesFrom2000) {
    const auto table = ReadEphemerisCsv("../moon/eclipses.csv");
    const auto list = Json({"--date", "2000-01-01", "eclipses", "--count", "460"});
    ASSERT_EQ(list.size(), 460u);
    std::vector<double> jds;
    for (const auto& e : list) jds.push_back(JdOfIso(e["utc"].get<std::string>()));
    for (size_t i = 1; i < jds.size(); ++i) EXPECT_GT(jds[i], jds[i - 1] + 13) << list[i]["utc"];
    // Three Moons that pass just outside the penumbra are counted by the type rule, so the
    // 460th eclipse is the lunar one of 2100 August; every eclipse of astronomy-engine up to
    // it is listed.
    EXPECT_EQ(list.back()["utc"].get<std::string>().substr(0, 7), "2100-08");
    int compared = 0, agreeing = 0;
    for (const auto& row : table->rows) {
        const double jd = row.Number("peak_ut_jd");
        if (jd > jds.back() + 1) break;
        ++compared;
        size_t i = 0;
        while (i < jds.size() && !(std::fabs(jds[i] - jd) < 1 && list[i]["kind"] == row.Text("kind"))) ++i;
        if (i == jds.size()) {
            ADD_FAILURE() << "not listed: " << row.Text("kind") << " " << row.Text("peak_ut");
            continue;
        }
        EXPECT_LT(std::fabs(jds[i] - jd) * 1440, 5) << row.Text("peak_ut");
        std::string type = list[i]["type"];
        type[0] = char(std::tolower(type[0]));
        agreeing += type == row.Text("ae_kind") ||
                    (row.Text("hybrid") == "1" && (type == "total" || type == "annular"));
    }
    EXPECT_GE(compared, 455);
    EXPECT_GE(agreeing, 0.98 * compared);

    // A shorter list is the beginning of the long one, across the first search's end.
    const auto first20 = Json({"--date", "2000-01-01", "eclipses", "--count", "20"});
    ASSERT_EQ(first20.size(), 20u);
    for (size_t i = 0; i < first20.size(); ++i) EXPECT_EQ(first20[i], list[i]) << i;
}

TEST_F(EventCommands, EclipsesOf2009WithDetails) {
    const auto list = Json({"--date", "2009-07-10", "eclipses", "--count", "2", "--details"});
    ASSERT_EQ(list.size(), 2u);
    const auto& sun = list[0];
    EXPECT_EQ(sun["kind"], "solar");
    EXPECT_EQ(sun["type"], "Total");
    EXPECT_EQ(sun["utc"].get<std::string>().substr(0, 15), "2009-07-22T02:3");
    EXPECT_LT(std::fabs(sun["gamma"].get<double>()), 1.0);
    EXPECT_LT(sun["u"].get<double>(), 0.0);
    EXPECT_TRUE(sun["duration_s"].is_null());
    EXPECT_FALSE(sun.contains("p1"));

    const auto feb = Json({"--date", "2009-02-01", "eclipses", "--count", "2", "--details"});
    ASSERT_EQ(feb.size(), 2u);
    const auto& moon = feb[1];
    EXPECT_EQ(moon["kind"], "lunar");
    EXPECT_EQ(moon["type"], "Penumbral");
    EXPECT_EQ(moon["utc"].get<std::string>().substr(0, 10), "2009-02-09");
    for (const char* key : {"u1", "u2", "u3", "u4"}) EXPECT_TRUE(moon[key].is_null()) << key;
    const double p1 = moon["p1"].get<double>(), p4 = moon["p4"].get<double>();
    EXPECT_NEAR(moon["duration_s"].get<double>(), (p4 - p1) * 86400, 1.0);
    EXPECT_LT(p1, moon["greatest"].get<double>());
    EXPECT_LT(moon["greatest"].get<double>(), p4);
    EXPECT_LT(moon["umbral_magnitude"].get<double>(), 0);
    EXPECT_GT(moon["penumbral_magnitude"].get<double>(), 0);

    // Without --details only the four keys.
    const auto plain = Json({"--date", "2009-07-10", "eclipses", "--count", "1"});
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].size(), 4u);

    ProgramResult text = Run({"--date", "2009-07-10", "eclipses", "--count", "2"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("2009/07/22 Sun   Total", 0), 0u) << text.out;
    EXPECT_NE(text.out.find("\n2009/08/06 Moon  Penumbral"), std::string::npos) << text.out;
}

TEST_F(EventCommands, TwelveByDefaultAndUsageErrors) {
    EXPECT_EQ(Json({"--date", "2024-01-01", "eclipses"}).size(), 12u);
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"eclipses", "--count", "0"},
                                               {"eclipses", "--count", "many"},
                                               {"eclipses", "--count", "10001"},
                                               {"eclipses", "--count"},
                                               {"eclipses", "--detail"},
                                               {"phases", "--count", "-4"},
                                               {"phases", "next"}}) {
        ProgramResult r = Run(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace
}  // namespace vsp::test
