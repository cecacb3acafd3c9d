// Nutation, obliquity, the equation of the equinoxes, sidereal time and precession against
// ERFA (tests/data/ephemeris: nut80, obl80, eqeq94, gmst82, pmat76, pnm80); 3x3 matrices and
// the small spherical functions against Meeus's worked examples.

#include <cmath>
#include <numbers>
#include <string>

#include <gtest/gtest.h>

#include "ephemeris/EarthOrientation.h"
#include "ephemeris/Matrix.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReductionState.h"
#include "ephemeris/Spherical.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::bodies {
namespace {

// The same published series (IAU 1980, 106 terms): measured 1e-9".
TEST(EarthOrientation, NutationObliquityAndEquinoxesMatchErfa) {
    EarthOrientationCache cache;
    ForEachRow("nutation.csv", {"tt"}, [&](const CsvRow& row) {
        const EarthTiltValues& t = EarthTilt(row.Number("jde"), cache);
        EXPECT_NEAR(t.dpsi, row.Number("dpsi_arcsec"), 1e-6);
        EXPECT_NEAR(t.deps, row.Number("deps_arcsec"), 1e-6);
        EXPECT_NEAR(t.meanObliquity, row.Number("mean_obliquity_deg"), 1e-6 / 3600.0);
        EXPECT_NEAR(t.trueObliquity, row.Number("true_obliquity_deg"), 1e-6 / 3600.0);
        EXPECT_NEAR(t.equationOfEquinoxes, row.Number("eqeq94_s"), 1e-6);
    });
}

// The date in one part loses a little of the fraction's precision.
TEST(EarthOrientation, ApparentSiderealTimeMatchesErfaGst) {
    ForEachRow("time.csv", {"jd_ut"}, [](const CsvRow& row) {
        const double eqeq = EarthTilt(row.Number("jd_tt")).equationOfEquinoxes, day0 = row.Number("jd_ut_0h");
        const double fraction = row.Number("day_fraction");
        EXPECT_NEAR(std::remainder(SiderealTimeApparent(day0, fraction, eqeq) - row.Number("gast_hours"), 24.0), 0.0, 1e-9);
        EXPECT_NEAR(std::remainder(SiderealTimeApparent(day0, fraction, 0.0) - row.Number("gmst82_hours"), 24.0), 0.0, 1e-9);
        EXPECT_NEAR(std::remainder(SiderealTimeApparent(row.Number("jd_ut"), 0.0, eqeq) - row.Number("gast_hours"), 24.0), 0.0, 1e-8);
    });
}

TEST(EarthOrientation, PrecessionAndCombinedMatrixMatchErfa) {
    ReductionState state;
    ForEachRow("precession.csv", {"tt"}, [&](const CsvRow& row) {
        const Mat3 p = PrecessionMatrix(kJ2000Jd, row.Number("jde"));
        const Mat3& pn = PrecessionNutationMatrix(row.Number("jde"), state);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                const std::string ij = std::to_string(i + 1) + std::to_string(j + 1);
                EXPECT_NEAR(p.m[i][j], row.Number("p" + ij), 1e-12);
                EXPECT_NEAR(pn.m[i][j], row.Number("pn" + ij), 1e-11);
            }
        }
    });
}

TEST(Matrix, InverseOrAdjugateAndTheSinglePrecisionThreshold) {
    Mat3 a{{{2.0, -1.0, 0.5}, {0.3, 4.0, -2.0}, {1.0, 0.0, 3.0}}}, inv;
    ASSERT_TRUE(MatInverse(a, inv));
    const Mat3 product = MatMul(a, inv);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(product.m[i / 3][i % 3], i % 4 == 0 ? 1.0 : 0.0, 1e-14);
    // Dependent rows: refused, and the output is the unscaled adjugate, A adj(A) = det(A) I = 0.
    for (int j = 0; j < 3; ++j) a.m[2][j] = 2.0 * a.m[0][j] - a.m[1][j];
    EXPECT_FALSE(MatInverse(a, inv));
    EXPECT_NEAR(MatMul(a, inv).m[1][2], 0.0, 1e-12);
    EXPECT_DOUBLE_EQ(inv.m[0][0], a.m[1][1] * a.m[2][2] - a.m[1][2] * a.m[2][1]);
    // A determinant of 1.5e-21 is singular, 2e-20 is not.
    Mat3 tiny{{{1.5e-21, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    EXPECT_FALSE(MatInverse(tiny, inv));
    tiny.m[0][0] = 2e-20;
    EXPECT_TRUE(MatInverse(tiny, inv) && inv.m[0][0] == 5e19);
}

constexpr double kDeg = std::numbers::pi / 180.0;

TEST(Spherical, MeeusExamplesAndOppositePoints) {
    // Example 13.b: Venus from the U.S. Naval Observatory, 1987 April 10, 19:21 UT, local hour
    // angle 64.352133 degrees; Meeus counts the azimuth from the south, here from the north.
    const double ra = 347.3193375 / 15.0, dec = -6.719892, lst = ra + 64.352133 / 15.0;
    const double lat = 38.0 + 55.0 / 60.0 + 17.0 / 3600.0;
    EXPECT_NEAR(Altitude(lst, ra, dec, lat), 15.1249, 1e-4);
    EXPECT_NEAR(Azimuth(lst, ra, dec, lat), 68.0337 + 180.0, 1e-4);
    // 1" by the flat formula; example 17.a (Arcturus and Spica); opposite points stay in acos.
    EXPECT_NEAR(AngularSeparation(3.0, 20.0, 3.0, 20.0 + 1.0 / 3600.0), kArcsecToRad, 1e-13);
    EXPECT_NEAR(AngularSeparation(213.9154 / 15.0, 19.1825, 201.2983 / 15.0, -11.1614) / kDeg, 32.7930, 1e-4);
    EXPECT_NEAR(AngularSeparation(0.0, 23.0, 12.0, -23.0), std::numbers::pi, 1e-7);
    // The same between vectors, down to a milliarcsecond.
    EXPECT_NEAR(AngularSeparation(RaDecToVector(213.9154 / 15.0, 19.1825), RaDecToVector(201.2983 / 15.0, -11.1614)) / kDeg,
                32.7930, 1e-4);
    EXPECT_NEAR(AngularSeparation(RaDecToVector(3.0, 20.0), 5.0 * RaDecToVector(3.0, 20.0 + 0.001 / 3600.0)),
                0.001 * kArcsecToRad, 1e-15);
    // Example 22.a: 1987 April 10, 0h TD: 23 deg 26' 27.407"; example 13.a: Pollux.
    EXPECT_NEAR(MeanObliquityArcsec((2446895.5 - kJ2000Jd) / kDaysPerJulianCentury), (23 * 60 + 26) * 60 + 27.407, 0.001);
    double lambda = 0.0, beta = 0.0, alpha = 0.0, delta = 0.0;
    EquatorialToEcliptic(116.328942 * kDeg, 28.026183 * kDeg, 23.4392911 * kDeg, lambda, beta);
    EXPECT_NEAR(lambda, 113.215630, 1e-6);
    EXPECT_NEAR(beta, 6.684170, 1e-6);
    EclipticToEquatorial(113.215630 * kDeg, 6.684170 * kDeg, 23.4392911 * kDeg, alpha, delta);
    EXPECT_NEAR(alpha / kDeg, 116.328942, 1e-6);
    EXPECT_NEAR(delta / kDeg, 28.026183, 1e-6);
}

}  // namespace
}  // namespace vsp::test::bodies
