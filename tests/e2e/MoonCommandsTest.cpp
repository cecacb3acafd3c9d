// The Moon through the built program: `moon` at PyEphem's new and full moon instants (the
// places themselves are compared in tests/ephemeris).

#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"
#include "support/EphemerisCsv.h"

namespace vsp::test {
namespace {

using bodies::CsvRow;
using bodies::ReadEphemerisCsv;

// "--date" and "--time" values for an ISO instant moved by `seconds`.
std::vector<std::string> ClockArgs(const std::string& iso, int seconds) {
    std::tm t{};
    std::sscanf(iso.c_str(), "%d-%d-%dT%d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour,
                &t.tm_min, &t.tm_sec);
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    const std::time_t moved = timegm(&t) + seconds;
    std::tm out{};
    gmtime_r(&moved, &out);
    char date[40], time[40];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", out.tm_year + 1900, out.tm_mon + 1, out.tm_mday);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", out.tm_hour, out.tm_min, out.tm_sec);
    return {"--date", date, "--time", time, "--tz", "0"};
}

class MoonCommands : public ProgramHomeTest {
protected:
    void SetUp() override {
        places_ = ReadEphemerisCsv("../moon/moon_places.csv");
        ASSERT_EQ(Run({"prefs", "set", "delta_t_s=60"}).status, 0);
    }
    // `args` at a fixture row's TT, with ΔT 60 s.
    nlohmann::json AtRowTt(const CsvRow& row, std::vector<std::string> args) {
        std::vector<std::string> all = ClockArgs(row.Text("tt"), -60);
        all.insert(all.end(), args.begin(), args.end());
        return Json(all);
    }
    const CsvRow& Row(const std::string& tt) const {
        for (const CsvRow& row : places_->rows) {
            if (row.Text("tt") == tt) return row;
        }
        ADD_FAILURE() << "no fixture row " << tt;
        return places_->rows.front();
    }
    std::unique_ptr<bodies::CsvTable> places_;
};

TEST_F(MoonCommands, MoonAtNewAndFullMoon) {
    const CsvRow& newMoon = Row("2000-01-06T18:14:00");
    const auto atNew = AtRowTt(newMoon, {"moon"});
    EXPECT_LT(atNew["age_fraction"].get<double>(), 1e-3);
    const int picture = atNew["picture_index"].get<int>();
    EXPECT_TRUE(picture == 0 || picture == 28) << picture;
    EXPECT_LT(atNew["phase_fraction"].get<double>(), 1e-3);
    EXPECT_NEAR(atNew["distance_km"].get<double>(), newMoon.Number("earth_distance_km"), 1.5);

    // PyEphem's full moon of 2000-01-21 in UT; with ΔT from the preferences the clock is UT.
    auto phases = ReadEphemerisCsv("../moon/phases.csv");
    const CsvRow* full = nullptr;
    for (const CsvRow& row : phases->rows) {
        if (row.Text("phase") == "full" && row.Text("ut").rfind("2000-01-21", 0) == 0) full = &row;
    }
    ASSERT_NE(full, nullptr);
    std::vector<std::string> args = ClockArgs(full->Text("ut").substr(0, 19), 0);
    args.push_back("moon");
    const auto atFull = Json(args);
    EXPECT_GT(atFull["age_fraction"].get<double>(), 0.999);
    EXPECT_EQ(atFull["picture_index"], 14);
    EXPECT_GT(atFull["phase_fraction"].get<double>(), 0.99);
}

}  // namespace
}  // namespace vsp::test
