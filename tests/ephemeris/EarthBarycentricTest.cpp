// The Earth of the vector reduction against ERFA's epv00, within what a 50-term solar series
// and circular giant planets can give.

#include <cmath>

#include <gtest/gtest.h>

#include "support/EphemerisCsv.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/PlanetHeliocentric.h"

namespace vsp::test::bodies {
namespace {

constexpr double kArcsec = 4.84813681109536e-6;

double Norm(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

double AngleBetween(const double a[3], const double b[3]) {
    const double cross[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                             a[0] * b[1] - a[1] * b[0]};
    return std::atan2(Norm(cross), a[0] * b[0] + a[1] * b[1] + a[2] * b[2]);
}

void ReadVector(const CsvRow& row, const char* x, const char* y, const char* z, double out[3]) {
    out[0] = row.Number(x);
    out[1] = row.Number(y);
    out[2] = row.Number(z);
}

TEST(EarthBarycentric, HeliocentricEarthFollowsErfaWithinTheSolarSeries) {
    auto table = ReadEphemerisCsv("earth.csv");
    ASSERT_GE(table->rows.size(), 50u);
    for (const CsvRow& row : table->rows) {
        const double jde = row.Number("jde");
        double reference[3], mine[3];
        ReadVector(row, "hx", "hy", "hz", reference);
        EarthHeliocentric(jde, mine);
        EXPECT_LT(AngleBetween(mine, reference), 2.0 * kArcsec) << row.Text("tt");
        EXPECT_NEAR(Norm(mine), Norm(reference), 1e-5) << row.Text("tt");
    }
}

// The giant planets' eccentricities and inclinations are left out of the Sun's offset: about
// 5e-4 AU at most (Jupiter's e a / mass ratio is 2.4e-4 AU alone).
TEST(EarthBarycentric, BarycentricEarthWithinTheCircularOrbitModel) {
    auto table = ReadEphemerisCsv("earth.csv");
    for (const CsvRow& row : table->rows) {
        const double jde = row.Number("jde");
        double p[3], v[3], bp[3], bv[3], hp[3], hv[3];
        ASSERT_EQ(EarthBarycentric(jde, p, v), kEphemerisOk) << row.Text("tt");
        ReadVector(row, "bx", "by", "bz", bp);
        ReadVector(row, "bvx", "bvy", "bvz", bv);
        ReadVector(row, "hx", "hy", "hz", hp);
        ReadVector(row, "hvx", "hvy", "hvz", hv);
        double sun[3], sunV[3];
        SunBarycentric(jde, sun, sunV);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(p[i], bp[i], 1e-3) << row.Text("tt");
            EXPECT_NEAR(sun[i], bp[i] - hp[i], 1e-3) << row.Text("tt");
            // Central differences of the series: the Earth's 0.0172 AU/day to about 1e-4 of it,
            // far below what moves the aberration by a milliarcsecond.
            EXPECT_NEAR(v[i], bv[i], 2e-6) << row.Text("tt");
            EXPECT_NEAR(sunV[i], bv[i] - hv[i], 1e-6) << row.Text("tt");
        }
    }
}

TEST(EarthBarycentric, DatesOutsideTheEphemerisFailWithZeros) {
    double p[3] = {1, 1, 1}, v[3] = {1, 1, 1};
    for (double jde : {2000000.0, kEarthEphemerisFirstJde - 0.01, kEarthEphemerisLastJde + 0.01}) {
        EXPECT_EQ(EarthBarycentric(jde, p, v), kEphemerisOutOfRange) << jde;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(p[i], 0.0);
            EXPECT_EQ(v[i], 0.0);
        }
    }
    EXPECT_EQ(EarthBarycentric(kEarthEphemerisFirstJde, p, v), kEphemerisOk);
    EXPECT_GT(Norm(p), 0.97);
    EXPECT_EQ(EarthBarycentric(kEarthEphemerisLastJde, p, v), kEphemerisOk);
    EXPECT_GT(Norm(p), 0.97);
}

TEST(EarthBarycentric, PlanetsShareTheSunsOffset) {
    // Mars seen from the Earth does not depend on where the barycentre is.
    const double jde = 2460000.5;
    double mars[3], marsV[3], helio[3], helioV[3], earth[3], earthV[3], earthHelio[3];
    ASSERT_EQ(PlanetBarycentric(jde, 4, mars, marsV), kEphemerisOk);
    ASSERT_EQ(PlanetHeliocentric(jde, 4, helio, helioV), kEphemerisOk);
    ASSERT_EQ(EarthBarycentric(jde, earth, earthV), kEphemerisOk);
    EarthHeliocentric(jde, earthHelio);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(mars[i] - earth[i], helio[i] - earthHelio[i], 1e-12);
    }
    EXPECT_EQ(PlanetBarycentric(jde, 12, mars, marsV), kEphemerisUnknownBody);
}

}  // namespace
}  // namespace vsp::test::bodies
