// The vector reduction: light deflection and aberration against their closed forms, the
// light-time solution, the observer's place, error codes; catalog stars through the chart
// modes against ERFA's pnm80 and apparent places (tests/data/ephemeris/apparent_stars.csv).

#include <array>
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
#include "support/AngleCompare.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::bodies {
namespace {

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
    EXPECT_LT(calls, 10);
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
    const double earthRadiusAu = kEarthRadiusKm / kKmPerAu;
    const Vec3 zenith = ZenithJ2000(kJde, deltaT, cache);
    const double distance = 0.00257;  // the Moon's
    ApparentPlace geo, topo;
    const auto body = MovingBody(Vec3{{1.0, 0.0, 0.0}} + distance * zenith, {});
    ASSERT_EQ(ApparentPlaceGeocentric(kJde, body, EarthAtRest, cache, geo), 0);
    ASSERT_EQ(ApparentPlaceTopocentric(kJde, deltaT, equator, body, EarthAtRest, cache, topo), 0);
    EXPECT_NEAR(geo.trueDistance - topo.trueDistance, earthRadiusAu, 1e-12);  // overhead: a radius nearer
    // On the celestial pole, seen from the equator the Moon is on the horizon: displaced by
    // the horizontal parallax asin(r / distance), about 57'.
    const Vec3 pole = Precess(kJde, Vec3{{0.0, 0.0, 1.0}}, kJ2000Jd);
    const auto polar = MovingBody(Vec3{{1.0, 0.0, 0.0}} + distance * pole, {});
    ASSERT_EQ(ApparentPlaceGeocentric(kJde, polar, EarthAtRest, cache, geo), 0);
    ASSERT_EQ(ApparentPlaceTopocentric(kJde, deltaT, equator, polar, EarthAtRest, cache, topo), 0);
    EXPECT_NEAR(AngularSeparation(geo.raHours, geo.decDeg, topo.raHours, topo.decDeg), std::atan(earthRadiusAu / distance), 2e-6);

    // A distant star in the zenith: the observer's 465 m/s eastwards shifts it 0.320" east.
    const auto star = MovingBody(1e9 * zenith, {});
    ASSERT_EQ(ApparentPlaceGeocentric(kJde, star, EarthAtRest, cache, geo), 0);
    ASSERT_EQ(ApparentPlaceTopocentric(kJde, deltaT, equator, star, EarthAtRest, cache, topo), 0);
    EXPECT_NEAR((topo.raHours - geo.raHours) * 15.0 * 3600.0, 0.320, 0.002);
    EXPECT_NEAR((topo.decDeg - geo.decDeg) * 3600.0, 0.0, 0.002);
}

StarCatalogPlace EntryOf(const CsvRow& row) {
    StarCatalogPlace star;
    star.raHours = row.Number("ra_j2000_hours");
    star.decDeg = row.Number("dec_j2000_deg");
    star.pmRaMasPerYear = row.Number("pm_ra_mas_yr");
    star.pmDecMasPerYear = row.Number("pm_dec_mas_yr");
    return star;
}

TEST(ApparentPlace, StarsMatchErfaApparentPlaces) {
    auto table = ReadEphemerisCsv("apparent_stars.csv");
    EarthOrientationCache cache;
    for (const CsvRow& row : table->rows) {
        SCOPED_TRACE(row.Text("tt") + " " + row.Text("star"));
        const double jde = row.Number("jde");
        const StarCatalogPlace star = EntryOf(row);
        ApparentPlace out;
        ASSERT_EQ(ApparentPlaceGeocentric(jde, MovingBody(StarBarycentric(star, jde), {}), EarthBarycentric, cache, out), 0);
        // Our 50-term Earth moves the aberration by a few milliarcseconds at most. The proper
        // motion here is a straight line in space, ERFA's a straight line in RA and Dec; they
        // part to second order in the distance moved, theta^2 (more towards the poles).
        const double years = (jde - kJ2000Jd) / kDaysPerJulianYear;
        const double theta = std::hypot(star.pmRaMasPerYear, star.pmDecMasPerYear) / 1000.0 * years;
        const double tolerance = 0.02 + theta * theta / kArcsecPerRadian * (0.5 + 0.5 * std::fabs(std::tan(star.decDeg * kDegToRad)));
        EXPECT_LT(SeparationArcsec(out.raHours, out.decDeg, row.Number("erfa_ra_hours"), row.Number("erfa_dec_deg")), tolerance);
    }
}

double AngleBetween(const Vec3& a, const Vec3& b) {
    const Vec3 c{{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}};
    return std::atan2(Length(c), Dot(a, b));
}

TEST(LightCorrections, SunDeflectionFollowsTheCotangentLaw) {
    const Vec3 observer{{1.0, 0.0, 0.0}};  // the Sun at -x
    auto starAt = [](double elongation) { return 1e9 * Vec3{{-std::cos(elongation), std::sin(elongation), 0.0}}; };
    // 2GM/(c^2 AU) = 0.00407" at 90 degrees from the Sun, outwards; 1.75" at the limb (959.63").
    Vec3 star = starAt(M_PI / 2);
    const Vec3 bent = SunDeflection(star, observer);
    EXPECT_NEAR(AngleBetween(star, bent) * kArcsecPerRadian, 0.00407, 0.00001);
    EXPECT_GT(AngleBetween(bent, -1.0 * observer), AngleBetween(star, -1.0 * observer));
    star = starAt(959.63 / kArcsecPerRadian);
    EXPECT_NEAR(AngleBetween(star, SunDeflection(star, observer)) * kArcsecPerRadian, 1.75, 0.005);
    // Exactly behind the Sun's centre it stays finite.
    const Vec3 behind = SunDeflection(Vec3{{-2.0, 0.0, 0.0}}, observer);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(std::isfinite(behind[i]));
}

TEST(LightCorrections, AberrationIsTheRelativisticOne) {
    const Vec3 velocity{{0.0172, 0.0, 0.0}};  // AU/day, about the Earth's 29.8 km/s
    const double beta = velocity[0] * kLightDaysPerAu;
    for (double theta : {0.3, M_PI / 2, 3.0}) {
        // cos(theta') = (cos(theta) + beta) / (1 + beta cos(theta)): towards the apex.
        const Vec3 seen = Aberration(1e8 * Vec3{{std::cos(theta), std::sin(theta), 0.0}}, velocity, 0.0);
        EXPECT_NEAR(AngleBetween(seen, velocity), std::acos((std::cos(theta) + beta) / (1.0 + beta * std::cos(theta))), 1e-12);
    }
}

constexpr int kDeltaT = 66;

// The settings and the local clock time (zone UT + 1 h) whose JDE is the TT date `tt`: the
// observing year takes the ΔT setting, a whole number of seconds.
struct Moment {
    EphemerisSettings settings;
    CalendarDateTime local;
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
    return m;
}

// The local apparent sidereal time (hours) of a moment.
double LocalApparentSiderealTime(const Moment& m) {
    const double jdUt = JulianDayLocal(m.local.year, m.local.month, m.local.day, m.local.hour,
                                       m.local.minute, m.local.second, m.settings.location.tzOffset);
    const double jde = jdUt + kDeltaT / 86400.0;
    return SiderealTimeApparent(jdUt, 0.0, EarthTilt(jde).equationOfEquinoxes) -
           m.settings.location.longitudeWest / 15.0;
}

// Mode 0 is precession and nutation (ERFA's pnm80); mode 2 the full reduction, whose
// observer's rotation adds up to 0.32" of diurnal aberration to ERFA's geocentric place (0.2"
// at 51.5 degrees north). Away from 1940-2060 the proper-motion models part (straight in
// space against straight in RA and Dec).
TEST(StarHorizontal, GeocentricAndTopocentricModesMatchErfa) {
    auto table = ReadEphemerisCsv("apparent_stars.csv");
    ReductionState state;
    for (const CsvRow& row : table->rows) {
        SCOPED_TRACE(row.Text("tt") + " " + row.Text("star"));
        const Moment m = MomentAtTt(row.Text("tt"));
        StarPlace place;
        ASSERT_EQ(StarHorizontal(EntryOf(row), 0, m.local, m.settings, state, place), 0);
        EXPECT_LT(SeparationArcsec(place.raHours, place.decDeg, row.Number("ra_pn_hours"), row.Number("dec_pn_deg")), 1e-4);
        if (std::fabs(row.Number("jde") - kJ2000Jd) > 60 * kDaysPerJulianYear) continue;
        ASSERT_EQ(StarHorizontal(EntryOf(row), 2, m.local, m.settings, state, place), 0);
        EXPECT_LT(SeparationArcsec(place.raHours, place.decDeg, row.Number("erfa_ra_hours"), row.Number("erfa_dec_deg")), 0.25);
    }
}

TEST(StarHorizontal, RefractionModesLiftTheStar) {
    Moment m = MomentAtTt("2024-06-21T22:00:00");
    m.settings.location.temperature = 10.0;
    m.settings.location.pressure = 1010.0;
    ReductionState state;
    // A star on the meridian: its altitude follows the declination one for one. Nothing below
    // -1 degree, 0.48 degrees on the horizon (Bennett); higher is north on the meridian.
    StarCatalogPlace star{ReduceAngle(LocalApparentSiderealTime(m), 24.0), 0.0, 0.0, 0.0, 0.0};
    for (int mode : {0, 2}) {
        StarPlace plain, refracted;
        ASSERT_EQ(StarHorizontal(star, mode, m.local, m.settings, state, plain), 0);
        const double horizonDec = star.decDeg - plain.altitude;
        for (auto [offset, lift] : {std::pair{-2.0, 0.0}, {0.0, 0.48}, {45.0, 0.0166}}) {
            StarCatalogPlace shifted{star.raHours, horizonDec + offset, 0.0, 0.0, 0.0};
            ASSERT_EQ(StarHorizontal(shifted, mode, m.local, m.settings, state, plain), 0);
            ASSERT_EQ(StarHorizontal(shifted, mode + 1, m.local, m.settings, state, refracted), 0);
            EXPECT_NEAR(refracted.altitude - plain.altitude, lift, 0.005) << mode << " " << offset;
            EXPECT_NEAR(refracted.decDeg - plain.decDeg, refracted.altitude - plain.altitude, 0.002);
        }
    }
}

TEST(StarHorizontal, ParallaxOfTheNearestStarsShowsTopocentrically) {
    // Proxima-like, 768 mas: half a year apart the annual parallax swings the place by up to
    // twice 0.768" against the same star without parallax.
    ReductionState state;
    const StarCatalogPlace near{14.5, -62.68, 0.0, 0.0, 768.0}, far{14.5, -62.68, 0.0, 0.0, 0.0};
    double largest = 0.0;
    for (const char* date : {"2024-01-05T00:00:00", "2024-03-20T00:00:00", "2024-06-20T00:00:00"}) {
        const Moment m = MomentAtTt(date);
        StarPlace a, b;
        ASSERT_EQ(StarHorizontal(near, 2, m.local, m.settings, state, a) + StarHorizontal(far, 2, m.local, m.settings, state, b), 0);
        largest = std::max(largest, SeparationArcsec(a.raHours, a.decDeg, b.raHours, b.decDeg));
    }
    EXPECT_NEAR(largest, 0.64, 0.14);
}

}  // namespace
}  // namespace vsp::test::bodies
