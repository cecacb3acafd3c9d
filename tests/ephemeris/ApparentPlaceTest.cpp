// The vector reduction: light time, deflection, aberration and the observer's place against
// their closed forms; catalog stars through the chart modes against ERFA (apparent_stars.csv).

#include <cmath>

#include <gtest/gtest.h>

#include "ephemeris/ApparentPlace.h"
#include "ephemeris/Constants.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/LightCorrections.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Refraction.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/StarHorizontal.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::bodies {
namespace {

constexpr double kJde = 2460000.5;

// The Earth resting at the barycentre (no aberration, no deflection), or 1 AU from the Sun
// (deflection as usual, no annual aberration).
int RestingEarth(const Instant&, double p[3], double v[3]) {
    for (int i = 0; i < 3; ++i) p[i] = v[i] = 0.0;
    return 0;
}
int EarthAtRest(const Instant& when, double p[3], double v[3]) {
    RestingEarth(when, p, v);
    p[0] = 1.0;
    return 0;
}

// A body on a straight line through b0 (at kJde) with velocity u.
BarycentricEphemeris MovingBody(Vec3 b0, Vec3 u, int* calls = nullptr) {
    return [=](const Instant& when, double p[3], double v[3]) {
        if (calls) ++*calls;
        for (int i = 0; i < 3; ++i) p[i] = b0[i] + u[i] * (when.tt - kJde), v[i] = u[i];
        return 0;
    };
}

TEST(ApparentPlace, LightTimeSolvesTheRetardedDistance) {
    const Vec3 b0{{3.0, 4.0, 1.0}}, u{{0.01, -0.02, 0.005}};
    int calls = 0;
    EarthOrientationCache cache;
    ApparentPlace out;
    ASSERT_EQ(ApparentPlaceGeocentric(Instant::FromTt(kJde, 69.0), MovingBody(b0, u, &calls), RestingEarth, cache, out), 0);
    // |b0 - u tau| = c tau, a quadratic in tau.
    const double c = kSpeedOfLightAuPerDay;
    const double qa = Dot(u, u) - c * c, qb = -2.0 * Dot(b0, u), qc = Dot(b0, b0);
    const double tau = (-qb - std::sqrt(qb * qb - 4.0 * qa * qc)) / (2.0 * qa);
    EXPECT_NEAR(out.lightDistance, tau * c, 1e-8 * c);
    EXPECT_NEAR(out.trueDistance, Length(b0), 1e-12);
    EXPECT_LT(calls, 10);
}

TEST(ApparentPlace, TopocentricPlaceStandsOnTheEarthsSurface) {
    EarthOrientationCache cache;
    ObserverPlace equator;  // latitude 0, longitude 0, sea level
    const double deltaT = 69.0, distance = 0.00257, earthRadiusAu = kEarthRadiusKm / kKmPerAu;
    const double gast = SiderealTimeApparent(kJde - deltaT / 86400.0, 0.0, EarthTilt(kJde, cache).equationOfEquinoxes);
    const Vec3 zenith = Precess(kJde, Nutate(kJde, NutationDirection::kTrueToMean, RaDecToVector(gast, 0.0), cache), kJ2000Jd);
    const Vec3 pole = Precess(kJde, Vec3{{0.0, 0.0, 1.0}}, kJ2000Jd);
    const Instant when = Instant::FromTt(kJde, deltaT);
    ApparentPlace geo, topo;
    auto observe = [&](const Vec3& at) {
        ASSERT_EQ(ApparentPlaceGeocentric(when, MovingBody(at, {}), EarthAtRest, cache, geo), 0);
        ASSERT_EQ(ApparentPlaceTopocentric(when, equator, MovingBody(at, {}), EarthAtRest, cache, topo), 0);
    };
    observe(Vec3{{1.0, 0.0, 0.0}} + distance * zenith);  // the Moon overhead: a radius nearer
    EXPECT_NEAR(geo.trueDistance - topo.trueDistance, earthRadiusAu, 1e-12);
    // On the celestial pole, seen on the horizon: displaced by the horizontal parallax (57').
    observe(Vec3{{1.0, 0.0, 0.0}} + distance * pole);
    EXPECT_NEAR(AngularSeparation(geo.raHours, geo.decDeg, topo.raHours, topo.decDeg), std::atan(earthRadiusAu / distance), 2e-6);
    // A distant star in the zenith: the observer's 465 m/s eastwards shifts it 0.320" east.
    observe(1e9 * zenith);
    EXPECT_NEAR((topo.raHours - geo.raHours) * 15.0 * 3600.0, 0.320, 0.002);
    EXPECT_NEAR((topo.decDeg - geo.decDeg) * 3600.0, 0.0, 0.002);
}

TEST(LightCorrections, SunDeflectionAndRelativisticAberration) {
    const Vec3 observer{{1.0, 0.0, 0.0}};  // the Sun at -x
    auto starAt = [](double elongation) { return 1e9 * Vec3{{-std::cos(elongation), std::sin(elongation), 0.0}}; };
    // 2GM/(c^2 AU) = 0.00407" at 90 degrees from the Sun, outwards; 1.75" at the limb (959.63").
    Vec3 star = starAt(M_PI / 2);
    const Vec3 bent = SunDeflection(star, observer);
    EXPECT_NEAR(AngularSeparation(star, bent) * kArcsecPerRadian, 0.00407, 0.00001);
    EXPECT_GT(AngularSeparation(bent, -1.0 * observer), AngularSeparation(star, -1.0 * observer));
    star = starAt(959.63 / kArcsecPerRadian);
    EXPECT_NEAR(AngularSeparation(star, SunDeflection(star, observer)) * kArcsecPerRadian, 1.75, 0.005);
    const Vec3 behind = SunDeflection(Vec3{{-2.0, 0.0, 0.0}}, observer);  // behind the centre
    EXPECT_TRUE(std::isfinite(behind[0] + behind[1] + behind[2]));
    // cos(theta') = (cos(theta) + beta) / (1 + beta cos(theta)), towards the apex.
    const Vec3 velocity{{0.0172, 0.0, 0.0}};  // AU/day, about the Earth's 29.8 km/s
    const double beta = velocity[0] * kLightDaysPerAu;
    for (double theta : {0.3, M_PI / 2, 3.0}) {
        const Vec3 seen = Aberration(1e8 * Vec3{{std::cos(theta), std::sin(theta), 0.0}}, velocity, 0.0);
        EXPECT_NEAR(AngularSeparation(seen, velocity), std::acos((std::cos(theta) + beta) / (1.0 + beta * std::cos(theta))), 1e-12);
    }
}

constexpr int kDeltaT = 66;

// The settings and the local clock time (zone UT + 1 h) whose JDE is the TT date `tt`.
struct Moment {
    EphemerisSettings settings;
    CalendarDateTime local;
    Instant when;
};

Moment MomentAtTt(const std::string& tt) {
    const CivilTime t = ParseIsoTime(tt);
    Moment m;
    m.settings.location.latitude = 51.5;
    m.settings.location.longitudeWest = 0.1;
    m.settings.location.tzOffset = 60;
    m.settings.deltaT = kDeltaT;
    m.settings.currentYear = t.year;
    m.local = {t.year, t.month, t.day, t.hour + 1, t.minute, t.second - kDeltaT};
    m.when = LocalInstant(m.local, m.settings);
    return m;
}

StarCatalogPlace EntryOf(const CsvRow& row) {
    return {row.Number("ra_j2000_hours"), row.Number("dec_j2000_deg"), row.Number("pm_ra_mas_yr"), row.Number("pm_dec_mas_yr"), 0.0};
}

// The vector reduction against ERFA's apparent place: our 50-term Earth moves the aberration
// by a few mas; the proper motion here is a straight line in space, ERFA's one in RA and Dec,
// parting to second order in the distance moved, theta^2 (more towards the poles). Chart mode
// 0 is ERFA's pnm80; mode 2 adds up to 0.32" of diurnal aberration (0.2" at 51.5 degrees).
TEST(StarPlaces, EveryReductionMatchesErfa) {
    EarthOrientationCache cache;
    ReductionState state;
    ForEachRow("apparent_stars.csv", {"tt", "star"}, [&](const CsvRow& row) {
        const double jde = row.Number("jde");
        const Instant at = Instant::FromTt(jde, kDeltaT);
        const StarCatalogPlace star = EntryOf(row);
        ApparentPlace out;
        ASSERT_EQ(ApparentPlaceGeocentric(at, MovingBody(StarBarycentric(star, at), {}), EarthBarycentric, cache, out), 0);
        const double years = (jde - kJ2000Jd) / kDaysPerJulianYear;
        const double theta = std::hypot(star.pmRaMasPerYear, star.pmDecMasPerYear) / 1000.0 * years;
        const double tolerance = 0.02 + theta * theta / kArcsecPerRadian * (0.5 + 0.5 * std::fabs(std::tan(star.decDeg * kDegToRad)));
        EXPECT_LT(ArcsecFromRow(out.raHours, out.decDeg, row, "erfa_"), tolerance);
        const Moment m = MomentAtTt(row.Text("tt"));
        StarPlace place;
        ASSERT_EQ(StarHorizontal(star, 0, m.when, m.settings, state, place), 0);
        EXPECT_LT(SeparationArcsec(place.raHours, place.decDeg, row.Number("ra_pn_hours"), row.Number("dec_pn_deg")), 1e-4);
        if (std::fabs(years) > 60) return;
        ASSERT_EQ(StarHorizontal(star, 2, m.when, m.settings, state, place), 0);
        EXPECT_LT(ArcsecFromRow(place.raHours, place.decDeg, row, "erfa_"), 0.25);
    });
}

TEST(StarHorizontal, RefractionModesLiftTheStar) {
    Moment m = MomentAtTt("2024-06-21T22:00:00");
    m.settings.location.temperature = 10.0;
    m.settings.location.pressure = 1010.0;
    ReductionState state;
    // A star on the meridian: its altitude follows the declination one for one. Nothing below
    // -1 degree, 0.48 degrees on the horizon (Bennett); higher is north on the meridian.
    const double jdUt = JulianDayLocal(m.local.year, m.local.month, m.local.day, m.local.hour, m.local.minute, m.local.second, 60);
    const double last = SiderealTimeApparent(jdUt, 0.0, EarthTilt(jdUt + kDeltaT / 86400.0).equationOfEquinoxes) - 0.1 / 15.0;
    StarCatalogPlace star{ReduceAngle(last, 24.0), 0.0, 0.0, 0.0, 0.0};
    for (int mode : {0, 2}) {
        StarPlace plain, refracted;
        ASSERT_EQ(StarHorizontal(star, mode, m.when, m.settings, state, plain), 0);
        const double horizonDec = star.decDeg - plain.altitude;
        for (auto [offset, lift] : {std::pair{-2.0, 0.0}, {0.0, 0.48}, {45.0, 0.0166}}) {
            StarCatalogPlace shifted{star.raHours, horizonDec + offset, 0.0, 0.0, 0.0};
            ASSERT_EQ(StarHorizontal(shifted, mode, m.when, m.settings, state, plain), 0);
            ASSERT_EQ(StarHorizontal(shifted, mode + 1, m.when, m.settings, state, refracted), 0);
            EXPECT_NEAR(refracted.altitude - plain.altitude, lift, 0.005) << mode << " " << offset;
            EXPECT_NEAR(refracted.decDeg - plain.decDeg, refracted.altitude - plain.altitude, 0.002);
        }
    }
}

TEST(StarHorizontal, ParallaxOfTheNearestStarsShowsTopocentrically) {
    // Proxima-like, 768 mas: over a year the annual parallax swings the place by up to twice
    // 0.768" against the same star without parallax.
    ReductionState state;
    const StarCatalogPlace near{14.5, -62.68, 0.0, 0.0, 768.0}, far{14.5, -62.68, 0.0, 0.0, 0.0};
    double largest = 0.0;
    for (const char* date : {"2024-01-05T00:00:00", "2024-03-20T00:00:00", "2024-06-20T00:00:00"}) {
        const Moment m = MomentAtTt(date);
        StarPlace a, b;
        ASSERT_EQ(StarHorizontal(near, 2, m.when, m.settings, state, a) + StarHorizontal(far, 2, m.when, m.settings, state, b), 0);
        largest = std::max(largest, SeparationArcsec(a.raHours, a.decDeg, b.raHours, b.decDeg));
    }
    EXPECT_NEAR(largest, 0.64, 0.14);
}

}  // namespace
}  // namespace vsp::test::bodies
