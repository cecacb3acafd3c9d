// The Earth of the vector reduction against ERFA's epv00, within what a 50-term solar series
// and circular giant planets can give, and the Simon et al. (1994) planets against ERFA's
// plan94, the same theory (measured 2e-13 AU over 1800-2200).

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/Constants.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/PlanetHeliocentric.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::bodies {
namespace {

double Norm(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

std::array<double, 3> Vector(const CsvRow& row, const std::string& prefix, const char* axes = "xyz") {
    return {row.Number(prefix + axes[0]), row.Number(prefix + axes[1]), row.Number(prefix + axes[2])};
}

// The giant planets' eccentricities and inclinations are left out of the Sun's offset: about
// 5e-4 AU at most (Jupiter's e a / mass ratio is 2.4e-4 AU alone). The velocities are central
// differences: the Earth's 0.0172 AU/day to about 1e-4 of it.
TEST(EarthBarycentric, HeliocentricAndBarycentricEarthFollowErfa) {
    ForEachRow("earth.csv", {"tt"}, [](const CsvRow& row) {
        double helio[3], p[3], v[3], sun[3], sunV[3];
        const Instant when = Instant::FromTt(row.Number("jde"), 0.0);
        EarthHeliocentric(when, helio);
        ASSERT_EQ(EarthBarycentric(when, p, v), kEphemerisOk);
        SunBarycentric(when, sun, sunV);
        const auto h = Vector(row, "h"), hv = Vector(row, "hv"), b = Vector(row, "b"), bv = Vector(row, "bv");
        const double dot = helio[0] * h[0] + helio[1] * h[1] + helio[2] * h[2];
        EXPECT_LT(std::acos(std::min(1.0, dot / (Norm(helio) * Norm(h.data())))), 2.0 * kArcsecToRad);
        EXPECT_NEAR(Norm(helio), Norm(h.data()), 1e-5);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(p[i], b[i], 1e-3);
            EXPECT_NEAR(sun[i], b[i] - h[i], 1e-3);
            EXPECT_NEAR(v[i], bv[i], 2e-6);
            EXPECT_NEAR(sunV[i], bv[i] - hv[i], 1e-6);
        }
    });
}

TEST(EarthBarycentric, DatesOutsideTheEphemerisFailWithZeros) {
    double p[3] = {1, 1, 1}, v[3] = {1, 1, 1};
    for (double jde : {kEarthEphemerisFirstJde - 0.01, kEarthEphemerisLastJde + 0.01}) {
        EXPECT_EQ(EarthBarycentric(Instant::FromTt(jde, 0.0), p, v), kEphemerisOutOfRange) << jde;
        EXPECT_EQ((std::array{p[0], p[1], p[2], v[0], v[1], v[2]}), (std::array{0.0, 0.0, 0.0, 0.0, 0.0, 0.0}));
    }
    EXPECT_EQ(EarthBarycentric(Instant::FromTt(kEarthEphemerisFirstJde, 0.0), p, v) +
                  EarthBarycentric(Instant::FromTt(kEarthEphemerisLastJde, 0.0), p, v),
              kEphemerisOk);
}

TEST(PlanetHeliocentric, AgreesWithErfaPlan94ForEveryPlanetAndRefusesOthers) {
    double p[3], v[3];
    ForEachRow("plan94.csv", {"tt", "planet"}, [&](const CsvRow& row) {
        ASSERT_EQ(PlanetHeliocentric(Instant::FromTt(row.Number("jde"), 0.0), int(row.Number("planet")), p, v), kEphemerisOk);
        const auto position = Vector(row, ""), velocity = Vector(row, "v");
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(p[i], position[i], 1e-9);
            EXPECT_NEAR(v[i], velocity[i], 1e-11);
        }
    });
    EXPECT_EQ(PlanetHeliocentric(Instant{}, 9, p, v), kEphemerisUnknownBody);
    EXPECT_EQ((std::array{p[0], p[1], p[2], v[0], v[1], v[2]}), (std::array{0.0, 0.0, 0.0, 0.0, 0.0, 0.0}));
}

}  // namespace
}  // namespace vsp::test::bodies
