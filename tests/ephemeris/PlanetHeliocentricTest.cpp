// The Simon et al. (1994) planets against ERFA's implementation of the same theory.

#include <cmath>

#include <gtest/gtest.h>

#include "support/EphemerisCsv.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/PlanetHeliocentric.h"

namespace vsp::test::bodies {
namespace {

TEST(PlanetHeliocentric, AgreesWithErfaPlan94ForEveryPlanet) {
    auto table = ReadEphemerisCsv("plan94.csv");
    ASSERT_GE(table->rows.size(), 200u);
    int checked = 0;
    for (const CsvRow& row : table->rows) {
        const double jde = row.Number("jde");
        const int planet = int(row.Number("planet"));
        double p[3], v[3];
        ASSERT_EQ(PlanetHeliocentric(jde, planet, p, v), kEphemerisOk);
        const char* axes[3] = {"x", "y", "z"};
        const char* rates[3] = {"vx", "vy", "vz"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(p[i], row.Number(axes[i]), 1e-9) << row.Text("tt") << " planet " << planet;
            EXPECT_NEAR(v[i], row.Number(rates[i]), 1e-11) << row.Text("tt") << " planet " << planet;
        }
        ++checked;
    }
    EXPECT_EQ(checked, int(table->rows.size()));
}

TEST(PlanetHeliocentric, RefusesUnknownPlanetsWithZeroedOutputs) {
    for (int planet : {0, 9, -1}) {
        double p[3] = {1, 2, 3}, v[3] = {4, 5, 6};
        EXPECT_EQ(PlanetHeliocentric(2451545.0, planet, p, v), kEphemerisUnknownBody);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(p[i], 0.0);
            EXPECT_EQ(v[i], 0.0);
        }
    }
    double p[3], v[3];
    EXPECT_NE(PlanetHeliocentric(std::nan(""), 4, p, v), kEphemerisOk);
}

TEST(PlanetHeliocentric, HalfTurnReductionKeepsTheSignOfTheTurn) {
    EXPECT_NEAR(ReduceToHalfTurn(3.0 * M_PI / 2.0), -M_PI / 2.0, 1e-15);
    EXPECT_NEAR(ReduceToHalfTurn(-3.0 * M_PI / 2.0), M_PI / 2.0, 1e-15);
    EXPECT_NEAR(ReduceToHalfTurn(10.0 * 2.0 * M_PI + 0.25), 0.25, 1e-12);
    EXPECT_NEAR(ReduceToHalfTurn(-0.25), -0.25, 0.0);
}

}  // namespace
}  // namespace vsp::test::bodies
