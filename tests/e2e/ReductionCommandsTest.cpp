// nutation and apparent through the built program: the keys, ERFA's values, the modes and
// the failures a user meets.

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

class ReductionCommands : public ProgramHomeTest {
protected:
    void SetUp() override {
        // The observing clock runs 66 s behind TT in the observing year.
        ASSERT_EQ(Run({"prefs", "set", "delta_t_s=66"}).status, 0);
    }
};

TEST_F(ReductionCommands, NutationMatchesErfa) {
    // One row: every row is compared in tests/ephemeris.
    auto table = ReadEphemerisCsv("nutation.csv");
    const CsvRow& row = table->rows.at(table->rows.size() / 2);
    const auto j = Json({"nutation", "--jde", row.Text("jde")});
    EXPECT_NEAR(j["dpsi_arcsec"].get<double>(), row.Number("dpsi_arcsec"), 0.002);
    EXPECT_NEAR(j["deps_arcsec"].get<double>(), row.Number("deps_arcsec"), 0.002);
    EXPECT_NEAR(j["mean_obliquity_deg"].get<double>(), row.Number("mean_obliquity_deg"), 0.002 / 3600);
    EXPECT_NEAR(j["true_obliquity_deg"].get<double>(), row.Number("true_obliquity_deg"), 0.002 / 3600);
    EXPECT_NEAR(j["eq_equinoxes_s"].get<double>(), row.Number("eqeq94_s"), 0.002 / 15);
}

TEST_F(ReductionCommands, ApparentModesAndMotions) {
    const std::vector<std::string> when = {"--date", "2024-03-01", "--time", "21:00", "--tz", "0",
                                           "--lat", "48", "--lon", "2"};
    auto at = [&](const std::string& mode, std::vector<std::string> extra) {
        std::vector<std::string> args = when;
        args.insert(args.end(), {"--mode", mode, "apparent", "--ra", "6.75248", "--dec", "-16.7161"});
        args.insert(args.end(), extra.begin(), extra.end());
        return Json(args);
    };
    const std::vector<std::string> sirius = {"--pm-ra", "-546.01", "--pm-dec", "-1223.07",
                                             "--parallax", "379.21"};
    const auto m0 = at("0", sirius), m1 = at("1", sirius), m2 = at("2", sirius);
    // Mode 0 ignores the motions. Mode 2 adds 24 years of Sirius' proper motion (32") and the
    // annual aberration (up to 20.5").
    const auto still = at("0", {});
    EXPECT_EQ(m0["ra_hours"], still["ra_hours"]);
    const double moved = SeparationArcsec(m2["ra_hours"].get<double>(), m2["dec_deg"].get<double>(),
                                          m0["ra_hours"].get<double>(), m0["dec_deg"].get<double>());
    EXPECT_GT(moved, 25.0);
    EXPECT_LT(moved, 60.0);
    // Refraction lifts the star (about 2' at 24 degrees) and leaves the azimuth.
    const double lift = m1["alt_deg"].get<double>() - m0["alt_deg"].get<double>();
    EXPECT_GT(lift, 1.5 / 60);
    EXPECT_LT(lift, 2.5 / 60);
    EXPECT_DOUBLE_EQ(m1["az_deg"].get<double>(), m0["az_deg"].get<double>());

}

TEST_F(ReductionCommands, ApparentFailuresAreClear) {
    // Modes 2 and 3 need the Earth ephemeris; 1650 lies before it. Mode 0 does not.
    ProgramResult r = Run({"--date", "1650-03-01", "--mode", "2", "apparent", "--ra", "5", "--dec", "20"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find("outside the Earth ephemeris"), std::string::npos) << r.err;
    EXPECT_EQ(Run({"--date", "1650-03-01", "--mode", "0", "apparent", "--ra", "5", "--dec", "20"}).status, 0);

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"apparent", "--ra", "5"}, {"apparent", "--ra", "25", "--dec", "0"},
             {"apparent", "--ra", "5", "--dec", "0", "--parallax", "-3"}}) {
        EXPECT_EQ(Run(args).status, 2) << testing::PrintToString(args);
    }
}

}  // namespace
}  // namespace vsp::test
