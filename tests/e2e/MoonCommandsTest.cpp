// The Moon through the built program: `moon` at PyEphem's full moon of 2000-01-21 (the places,
// phases and pictures themselves are compared in tests/ephemeris).

#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ProgramHomeTest.h"
#include "support/EphemerisCsv.h"

namespace vsp::test {
namespace {

using bodies::CsvRow;
using bodies::ReadEphemerisCsv;

using MoonCommands = ProgramHomeTest;

TEST_F(MoonCommands, MoonAtFullMoon) {
    auto phases = ReadEphemerisCsv("../moon/phases.csv");
    const CsvRow* full = nullptr;
    for (const CsvRow& row : phases->rows) {
        if (row.Text("phase") == "full" && row.Text("ut").rfind("2000-01-21", 0) == 0) full = &row;
    }
    ASSERT_NE(full, nullptr);
    const std::string ut = full->Text("ut");  // "2000-01-21T04:40:..."
    const auto atFull = Json({"--date", ut.substr(0, 10), "--time", ut.substr(11, 8), "--tz", "0", "moon"});
    EXPECT_GT(atFull["age_fraction"].get<double>(), 0.999);
    EXPECT_EQ(atFull["picture_index"], 14);
    EXPECT_GT(atFull["phase_fraction"].get<double>(), 0.99);
}

}  // namespace
}  // namespace vsp::test
