// The vector reduction of a solar-system body: the light-time solution, the distances, the
// observer's place, error codes; and stars through the same steps against ERFA.

#include <gtest/gtest.h>

#include <cmath>

#include "support/EphemerisCsv.h"
#include "ephemeris/ApparentPlace.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/LightCorrections.h"
#include "ephemeris/Precession.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/StarHorizontal.h"

namespace vsp {
namespace {

using test::bodies::CsvRow;
using test::bodies::ReadEphemerisCsv;

constexpr double kJde = 2460000.5;

// The Earth resting at the barycentre: no aberration, no deflection (the observer is at the
// Sun's place), so only the light time and the rotation to the date remain.
int RestingEarth(double, double p[3], double v[3]) {
    for (int i = 0; i < 3; ++i) p[i] = v[i] = 0.0;
    return 0;
}

// The Earth resting 1 AU from the Sun: deflection as usual, no annual aberration.
int EarthAtRest(double, double p[3], double v[3]) {
    for (int i = 0; i < 3; ++i) p[i] = v[i] = 0.0;
    p[0] = 1.0;
    return 0;
}

// A body on a straight line through b0 (at kJde) with velocity u.
BarycentricEphemeris MovingBody(Vec3 b0, Vec3 u, int* calls = nullptr) {
    return [=](double jde, double p[3], double v[3]) {
        if (calls) ++*calls;
        for (int i = 0; i < 3; ++i) {
            p[i] = b0[i] + u[i] * (jde - kJde);
            v[i] = u[i];
        }
        return 0;
    };
}

TEST(ApparentPlace, LightTimeSolvesTheRetardedDistance) {
    const Vec3 b0{{3.0, 4.0, 1.0}}, u{{0.01, -0.02, 0.005}};
    int calls = 0;
    EarthOrientationCache cache;
    ApparentPlace out;
    ASSERT_EQ(ApparentPlaceGeocentric(kJde, MovingBody(b0, u, &calls), RestingEarth, cache, out), 0);
    // |b0 - u tau| = c tau, a quadratic in tau.
    const double c = kSpeedOfLightAuPerDay;
    const double qa = Dot(u, u) - c * c, qb = -2.0 * Dot(b0, u), qc = Dot(b0, b0);
    const double tau = (-qb - std::sqrt(qb * qb - 4.0 * qa * qc)) / (2.0 * qa);
    EXPECT_NEAR(out.lightDistance, tau * c, 1e-8 * c);
    EXPECT_NEAR(out.trueDistance, Length(b0), 1e-12);
    EXPECT_GT(calls, 2);
    EXPECT_LT(calls, 10);
    // The direction is that of the body where it was tau ago, rotated to the date.
    double ra = 0.0, dec = 0.0;
    ReductionState state;
    VectorToRaDec(MatMulVec(PrecessionNutationMatrix(kJde, state), b0 - tau * u), ra, dec);
    EXPECT_NEAR(out.raHours, ra, 1e-9);
    EXPECT_NEAR(out.decDeg, dec, 1e-8);
}

TEST(ApparentPlace, ErrorsPassOnWithZeroOutputs) {
    EarthOrientationCache cache;
    ApparentPlace out;
    out.raHours = out.decDeg = out.trueDistance = out.lightDistance = 7.0;
    const BarycentricEphemeris failingEarth = [](double, double p[3], double v[3]) {
        for (int i = 0; i < 3; ++i) p[i] = v[i] = 0.0;
        return 1;
    };
    EXPECT_EQ(ApparentPlaceGeocentric(kJde, MovingBody({{1, 1, 1}}, {}), failingEarth, cache, out), 1);
    EXPECT_EQ(out.raHours, 0.0);
    EXPECT_EQ(out.lightDistance, 0.0);

    // The body fails on the second call, inside the light-time iteration.
    int calls = 0;
    const BarycentricEphemeris failsLater = [&calls](double, double p[3], double v[3]) {
        for (int i = 0; i < 3; ++i) p[i] = v[i] = 1.0;
        return ++calls > 1 ? 2 : 0;
    };
    out.raHours = out.decDeg = out.trueDistance = 7.0;
    ObserverPlace place;
    EXPECT_EQ(ApparentPlaceTopocentric(kJde, 69.0, place, failsLater, RestingEarth, cache, out), 2);
    EXPECT_EQ(out.raHours, 0.0);
    EXPECT_EQ(out.decDeg, 0.0);
    EXPECT_EQ(out.trueDistance, 0.0);
}

// The J2000 direction of the observer's zenith at the equator and Greenwich.
Vec3 ZenithJ2000(double jde, double deltaT, EarthOrientationCache& cache) {
    const double gast = SiderealTimeApparent(jde - deltaT / 86400.0, 0.0,
                                             EarthTilt(jde, cache).equationOfEquinoxes);
    const Vec3 ofDate = RaDecToVector(gast, 0.0);
    return Precess(jde, Nutate(jde, NutationDirection::kTrueToMean, ofDate, cache), kJ2000Jd);
}

TEST(ApparentPlace, TopocentricPlaceStandsOnTheEarthsSurface) {
    EarthOrientationCache cache;
    ObserverPlace equator;  // latitude 0, longitude 0, sea level
    const double deltaT = 69.0;
    const double earthRadiusAu = 6378.14 / 149597870.0;
    const Vec3 zenith = ZenithJ2000(kJde, deltaT, cache);
    const double distance = 0.00257;  // the Moon's
    ApparentPlace geo, topo;
    const auto body = MovingBody(Vec3{{1.0, 0.0, 0.0}} + distance * zenith, {});
    ASSERT_EQ(ApparentPlaceGeocentric(kJde, body, EarthAtRest, cache, geo), 0);
    ASSERT_EQ(ApparentPlaceTopocentric(kJde, deltaT, equator, body, EarthAtRest, cache, topo), 0);
    // Overhead: one Earth radius nearer, the same direction (up to the 0.3" of the diurnal
    // aberration).
    EXPECT_NEAR(geo.trueDistance - topo.trueDistance, earthRadiusAu, 1e-12);
    EXPECT_LT(AngularSeparation(geo.raHours, geo.decDeg, topo.raHours, topo.decDeg) * 206264.8, 0.35);

    // On the celestial pole, seen from the equator the Moon is on the horizon: displaced by
    // the horizontal parallax asin(r / distance), about 57'.
    const Vec3 pole = Precess(kJde, Vec3{{0.0, 0.0, 1.0}}, kJ2000Jd);
    const auto polar = MovingBody(Vec3{{1.0, 0.0, 0.0}} + distance * pole, {});
    ASSERT_EQ(ApparentPlaceGeocentric(kJde, polar, EarthAtRest, cache, geo), 0);
    ASSERT_EQ(ApparentPlaceTopocentric(kJde, deltaT, equator, polar, EarthAtRest, cache, topo), 0);
    const double shift = AngularSeparation(geo.raHours, geo.decDeg, topo.raHours, topo.decDeg);
    EXPECT_NEAR(shift, std::atan(earthRadiusAu / distance), 2e-6);
}

TEST(ApparentPlace, EarthsRotationAberratesTowardsTheEast) {
    // A distant star in the zenith of an observer on the equator: the observer's 465 m/s
    // eastwards shifts it 0.320" east, in right ascension.
    EarthOrientationCache cache;
    ObserverPlace equator;
    const double deltaT = 69.0;
    const auto star = MovingBody(1e9 * ZenithJ2000(kJde, deltaT, cache), {});
    ApparentPlace geo, topo;
    ASSERT_EQ(ApparentPlaceGeocentric(kJde, star, EarthAtRest, cache, geo), 0);
    ASSERT_EQ(ApparentPlaceTopocentric(kJde, deltaT, equator, star, EarthAtRest, cache, topo), 0);
    EXPECT_NEAR((topo.raHours - geo.raHours) * 15.0 * 3600.0, 0.320, 0.002);
    EXPECT_NEAR((topo.decDeg - geo.decDeg) * 3600.0, 0.0, 0.002);
}

TEST(ApparentPlace, StarsMatchErfaApparentPlaces) {
    auto table = ReadEphemerisCsv("apparent_stars.csv");
    ASSERT_GE(table->rows.size(), 150u);
    EarthOrientationCache cache;
    for (const CsvRow& row : table->rows) {
        SCOPED_TRACE(row.Text("tt") + " " + row.Text("star"));
        const double jde = row.Number("jde");
        StarCatalogPlace star;
        star.raHours = row.Number("ra_j2000_hours");
        star.decDeg = row.Number("dec_j2000_deg");
        star.pmRaMasPerYear = row.Number("pm_ra_mas_yr");
        star.pmDecMasPerYear = row.Number("pm_dec_mas_yr");
        const Vec3 position = StarBarycentric(star, jde);
        const BarycentricEphemeris fixed = [&](double, double p[3], double v[3]) {
            for (int i = 0; i < 3; ++i) {
                p[i] = position[i];
                v[i] = 0.0;
            }
            return 0;
        };
        ApparentPlace out;
        ASSERT_EQ(ApparentPlaceGeocentric(jde, fixed, BarycentricEphemeris(EarthBarycentric), cache, out), 0);
        // Our 50-term Earth moves the aberration by a few milliarcseconds at most. The proper
        // motion here is a straight line in space, ERFA's a straight line in RA and Dec; they
        // part to second order in the distance moved, theta^2 (more towards the poles).
        const double years = (jde - 2451545.0) / 365.25;
        const double theta = std::hypot(star.pmRaMasPerYear, star.pmDecMasPerYear) / 1000.0 * years;
        const double tolerance = 0.02 + theta * theta / 206264.8 *
                                            (0.5 + 0.5 * std::fabs(std::tan(star.decDeg * M_PI / 180.0)));
        const double sep = AngularSeparation(out.raHours, out.decDeg, row.Number("erfa_ra_hours"),
                                             row.Number("erfa_dec_deg"));
        EXPECT_LT(sep * 206264.8, tolerance);
    }
}

}  // namespace
}  // namespace vsp
