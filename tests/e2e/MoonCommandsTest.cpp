// The Moon through the built program: `moon` at PyEphem's full moon of 2000-01-21, and its face
// on the catalog home's feature file: a crater's sunrise is when the colongitude and the
// terminator reach it (the places, phases, pictures and librations themselves are compared in
// tests/ephemeris).

#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "e2e/CatalogHomeTest.h"
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

using MoonFaceCommands = CatalogHomeTest;

TEST_F(MoonFaceCommands, CopernicusSunriseIsOnTheMorningTerminator) {
    // --date and --time of a UT Julian Date (the program's calendar), with --tz 0.
    auto atUt = [this](double jd, std::vector<std::string> command) {
        const auto t = Json({"calendar", std::to_string(jd)});
        char date[16], time[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", t["year"].get<int>(), t["month"].get<int>(), t["day"].get<int>());
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", t["hour"].get<int>(), t["minute"].get<int>(), t["second"].get<int>());
        command.insert(command.begin(), {"--date", date, "--time", time, "--tz", "0"});
        return command;
    };
    // The IAU's Copernicus: 9.62 N, 20.08 W, 96.07 km.
    const auto feature = Json({"--date", "2026-12-08", "--time", "21:00", "--tz", "0", "moon", "feature", "coperni"});
    EXPECT_EQ(feature["name"], "Copernicus");
    EXPECT_EQ(feature["type"], "Crater");
    EXPECT_NEAR(feature["lat_deg"].get<double>(), 9.62, 0.01);
    EXPECT_NEAR(feature["lon_deg"].get<double>(), -20.08, 0.01);
    EXPECT_NEAR(feature["diameter_km"].get<double>(), 96.07, 0.1);
    EXPECT_EQ(feature["visible"], true);
    const double sunrise = feature["sunrise_jd_ut"].get<double>();
    EXPECT_GT(sunrise, 2461383.375);
    EXPECT_LT(feature["sunset_jd_ut"].get<double>(), 2461383.375 + 30.0);

    const auto face = Json(atUt(sunrise, {"moon", "libration"}));
    EXPECT_NEAR(face["colongitude_deg"].get<double>(), 20.08, 0.02);
    const auto near = Json(atUt(sunrise, {"moon", "terminator"}));
    bool copernicus = false;
    double previous = INFINITY;
    for (const auto& f : near["features"]) {
        EXPECT_LE(std::fabs(f["distance_deg"].get<double>()), 3.0);
        EXPECT_LE(f["diameter_km"].get<double>(), previous);
        previous = f["diameter_km"].get<double>();
        if (f["name"] == "Copernicus") {
            copernicus = true;
            EXPECT_EQ(f["side"], "sunrise");
            EXPECT_LT(std::fabs(f["distance_deg"].get<double>()), 0.3);
        }
    }
    EXPECT_TRUE(copernicus);
    // A name found without its accent, and by a part of it when no name begins so.
    EXPECT_EQ(Json({"moon", "feature", "ANGSTROM"})["name"], "Angstr\u00f6m");
    EXPECT_EQ(Json({"moon", "feature", "imbrium"})["name"], "Mare Imbrium");
    EXPECT_EQ(Run({"moon", "feature", "No Such Crater"}).status, 1);
}

}  // namespace
}  // namespace vsp::test
