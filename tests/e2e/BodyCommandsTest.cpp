// body, helio and earth through the built program: the keys, the reference values at a
// fixture's dynamical time, and the failures a user meets.

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/AngleCompare.h"
#include "support/ProgramHomeTest.h"
#include "support/EphemerisCsv.h"

namespace vsp::test {
namespace {

using bodies::CsvRow;
using bodies::ReadEphemerisCsv;

class BodyCommands : public ProgramHomeTest {
protected:
    void SetUp() override {
        // The observing clock runs 60 s behind TT, so 11:59:00 is 2000-01-01 12:00:00 TT.
        ASSERT_EQ(Run({"prefs", "set", "delta_t_s=60"}).status, 0);
    }
    nlohmann::json BodyAtJ2000(const std::string& name, const std::string& mode = "0") {
        return Json({"--date", "2000-01-01", "--time", "11:59:00", "--tz", "0", "--mode", mode,
                     "body", name});
    }
};

TEST_F(BodyCommands, HelioGivesTheSimonPlanetsByNumberOrName) {
    // One row of ERFA's plan94 (every planet is compared in tests/ephemeris).
    auto table = ReadEphemerisCsv("plan94.csv");
    const CsvRow& row = table->rows.at(table->rows.size() / 2);
    const auto j = Json({"helio", row.Text("planet"), "--jde", row.Text("jde")});
    for (const char* key : {"x", "y", "z", "vx", "vy", "vz"}) EXPECT_NEAR(j[key].get<double>(), row.Number(key), 1e-9) << key;
    EXPECT_EQ(Json({"helio", "Mars", "--jde", "2451545"}), Json({"helio", "4", "--jde", "2451545"}));
    EXPECT_EQ(Run({"helio", "pluto", "--jde", "2451545"}).status, 2);
    EXPECT_EQ(Run({"helio", "9", "--jde", "2451545"}).status, 2);
}

TEST_F(BodyCommands, EarthInsideAndOutsideItsRange) {
    auto table = ReadEphemerisCsv("earth.csv");
    const CsvRow& row = table->rows.at(table->rows.size() / 2);
    const auto j = Json({"earth", "--jde", row.Text("jde")});
    for (const char* key : {"x", "y", "z", "vx", "vy", "vz"}) {
        EXPECT_NEAR(j[key].get<double>(), row.Number(std::string("b") + key), 1e-3) << key;
    }
    const ProgramResult r = Run({"earth", "--jde", "2339999.5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("outside the Earth ephemeris"), std::string::npos) << r.err;
}

// The places themselves are compared with PyEphem in tests/ephemeris; here the keys and what
// the modes change.
TEST_F(BodyCommands, TheSunAtJ2000InEachMode) {
    const auto geo = BodyAtJ2000("0");  // the Sun by its number
    EXPECT_NEAR(geo["ecl_lon_deg"].get<double>(), 280.37, 0.02);
    // At noon UT on the Greenwich meridian the Sun is near the meridian, low in the south.
    EXPECT_NEAR(geo["az_deg"].get<double>(), 180.0, 2.0);
    EXPECT_NEAR(geo["alt_deg"].get<double>(), 90.0 - 51.0 - 23.0, 0.5);
    const auto topo = BodyAtJ2000("sun", "2");
    const double shift = SeparationArcsec(geo["ra_hours"].get<double>(), geo["dec_deg"].get<double>(),
                                          topo["ra_hours"].get<double>(), topo["dec_deg"].get<double>());
    EXPECT_GT(shift, 3.0);
    EXPECT_LT(shift, 8.8 / 0.983 + 0.1);
    const auto refracted = BodyAtJ2000("sun", "3");
    const double lift = refracted["alt_deg"].get<double>() - topo["alt_deg"].get<double>();
    EXPECT_GT(lift, 0.02);  // about 2' at 16 degrees
    EXPECT_LT(lift, 0.1);
}

TEST_F(BodyCommands, FailuresAreClear) {
    ProgramResult r = Run({"--date", "1650-06-01", "body", "mars", "--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("outside the Earth ephemeris"), std::string::npos) << r.err;
    EXPECT_EQ(Run({"body", "vulcan"}).status, 2);
    EXPECT_EQ(Run({"body", "11"}).status, 2);
    EXPECT_EQ(Run({"body", "all", "--quick"}).status, 2);
}

TEST_F(BodyCommands, QuickFamilyAndText) {
    const auto quick = Json({"--date", "2000-01-01", "--time", "12:00", "body", "jupiter", "--quick"});
    EXPECT_EQ(quick["code"], 5);
    // The tabulated J2000 elements at d = 0 put Jupiter at about RA 1.60 h, Dec +8.6.
    EXPECT_NEAR(quick["ra_hours"].get<double>(), 1.59, 0.02);
    EXPECT_NEAR(quick["dec_deg"].get<double>(), 8.6, 0.1);
    EXPECT_NEAR(quick["distance_au"].get<double>(), 4.62, 0.01);
}

}  // namespace
}  // namespace vsp::test
