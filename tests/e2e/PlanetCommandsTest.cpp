// Jupiter through the built program: `planet moons`, `planet events` and `planet face` at an
// instant of the astronomy-engine and pymeeus fixtures (the theories themselves are compared
// in tests/ephemeris/GalileanMoonsTest.cpp); Saturn's and Mars's faces.

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/EphemerisCsv.h"
#include "support/ProgramHomeTest.h"

namespace vsp::test {
namespace {

using PlanetCommands = ProgramHomeTest;

// The --date, --time and --tz words of a UT "YYYY-MM-DDTHH:MM:SS".
std::vector<std::string> AtUt(const std::string& ut, std::vector<std::string> words) {
    words.insert(words.begin(), {"--date", ut.substr(0, 10), "--time", ut.substr(11, 8), "--tz", "0"});
    return words;
}

TEST_F(PlanetCommands, JupiterMoonsEventsAndFaceAsJson) {
    const auto places = bodies::ReadEphemerisCsv("moons.csv", "jupiter");
    const bodies::CsvRow& row = places->rows.front();  // Io
    const auto moons = Json(AtUt(row.Text("ut"), {"planet", "moons", "jupiter"}))["moons"];
    ASSERT_EQ(moons.size(), 4u);
    EXPECT_EQ(moons[0]["name"], row.Text("moon"));
    EXPECT_NEAR(moons[0]["x_radii"].get<double>(), row.Number("ae_x"), 0.03);
    EXPECT_NEAR(moons[0]["y_radii"].get<double>(), row.Number("ae_y"), 0.03);
    EXPECT_EQ(moons[0]["in_front"], row.Number("ae_z") < 0.0);
    EXPECT_EQ(moons[0]["occulted"], row.Number("pe_earth_visible") == 0.0);
    for (const char* key : {"eclipsed", "shadow_on_disc"}) EXPECT_TRUE(moons[0][key].is_boolean()) << key;

    const auto events = bodies::ReadEphemerisCsv("events.csv", "jupiter");
    const bodies::CsvRow& first = events->rows.front();  // the span starts 2027-01-01 0h UT
    const auto found = Json(AtUt("2027-01-01T00:00:00", {"planet", "events", "jupiter", "--days", "1"}))["events"];
    bool seen = false;
    for (const auto& e : found) {
        if (e["moon"] == first.Text("moon") && e["kind"] == first.Text("kind")) {
            seen = std::fabs(e["jd_ut"].get<double>() - first.Number("ae_jd_ut")) < 2.0 / 1440.0;
            EXPECT_EQ(e["local"].get<std::string>().size(), 19u);
            EXPECT_GE(e["planet_alt_deg"].get<double>(), -90.0);
            EXPECT_LE(e["sun_alt_deg"].get<double>(), 90.0);
        }
    }
    EXPECT_TRUE(seen) << first.Text("moon") << " " << first.Text("kind");

    const auto faces = bodies::ReadEphemerisCsv("face.csv", "jupiter");
    const auto face = Json(AtUt(faces->rows.front().Text("ut"), {"planet", "face", "jupiter"}));
    // The program's ΔT for 2048 is not PyEphem's: the meridian turns 0.01 degree a second.
    EXPECT_NEAR(face["cm_ii_deg"].get<double>(), faces->rows.front().Number("ae_cm_ii_deg"), 0.5);
    EXPECT_GE(face["grs_transits_jd_ut"].size(), 2u);  // 2 or 3 a day
    EXPECT_LE(face["grs_transits_jd_ut"].size(), 3u);
    EXPECT_GT(face["diameter_arcsec"].get<double>(), 29.0);
    EXPECT_LT(face["phase_deg"].get<double>(), 12.5);

    EXPECT_EQ(Run({"planet", "moons", "mars"}).status, 2);
}

// Saturn's ring and Mars's meridian for Berlin, 2024 April 8 21:00 CET (tests/data/forms:
// PyEphem's earth_tilt, astronomy-engine's Mars with the IAU rotation).
TEST_F(PlanetCommands, SaturnRingAndMarsMeridianAsJson) {
    std::map<std::string, double> ref;
    std::ifstream in(std::string(VESPERTAR_TEST_DATA) + "/forms/berlin_2024_04_08.csv");
    for (std::string line; std::getline(in, line);) ref[line.substr(0, line.find(','))] = std::atof(line.c_str() + line.find(',') + 1);
    const std::vector<std::string> at = {"--lat", "52.52", "--lon", "13.405", "--tz", "60", "--date", "2024-04-08", "--time", "21:00"};
    auto with = [&](std::vector<std::string> words) {
        words.insert(words.begin(), at.begin(), at.end());
        return Json(words);
    };
    const auto saturn = with({"planet", "face", "saturn"});
    EXPECT_NEAR(saturn["ring_tilt_earth_deg"].get<double>(), ref.at("saturn_earth_tilt_deg"), 0.05);
    for (const char* key : {"ring_tilt_sun_deg", "ring_pa_deg", "phase_deg", "diameter_arcsec"})
        EXPECT_TRUE(saturn[key].is_number()) << key;
    EXPECT_NEAR(with({"planet", "face", "mars"})["cm_deg"].get<double>(), ref.at("mars_cm_deg"), 0.05);
    EXPECT_EQ(with({"planet", "moons", "saturn"})["moons"].size(), 7u);
}

}  // namespace
}  // namespace vsp::test
