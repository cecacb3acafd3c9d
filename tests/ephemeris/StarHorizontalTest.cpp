// Catalog stars through the chart modes: precession and nutation against ERFA's pnm80
// (tests/data/ephemeris/apparent_stars.csv), the full reduction against ERFA's apparent
// places, refraction and the errors of the Earth ephemeris.

#include <gtest/gtest.h>

#include <cmath>

#include "support/EphemerisCsv.h"
#include "ephemeris/Refraction.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/StarHorizontal.h"

namespace vsp {
namespace {

using test::bodies::CsvRow;
using test::bodies::ParseIsoTime;
using test::bodies::ReadEphemerisCsv;

constexpr double kRadToArcsec = 206264.80624709636;
constexpr int kDeltaT = 66;

// The settings and the local clock time (zone UT + 1 h) whose JDE is the TT date `tt`: the
// observing year takes the ΔT setting, a whole number of seconds.
struct Moment {
    EphemerisSettings settings;
    CalendarDateTime local;
};

Moment MomentAtTt(const std::string& tt) {
    const test::bodies::CivilTime t = ParseIsoTime(tt);
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

StarCatalogPlace EntryOf(const CsvRow& row) {
    StarCatalogPlace star;
    star.raHours = row.Number("ra_j2000_hours");
    star.decDeg = row.Number("dec_j2000_deg");
    star.pmRaMasPerYear = row.Number("pm_ra_mas_yr");
    star.pmDecMasPerYear = row.Number("pm_dec_mas_yr");
    return star;
}

TEST(StarHorizontal, GeocentricModeIsPrecessionAndNutation) {
    auto table = ReadEphemerisCsv("apparent_stars.csv");
    ASSERT_GE(table->rows.size(), 150u);
    ReductionState state;
    for (const CsvRow& row : table->rows) {
        SCOPED_TRACE(row.Text("tt") + " " + row.Text("star"));
        const Moment m = MomentAtTt(row.Text("tt"));
        StarPlace place;
        ASSERT_EQ(StarHorizontal(EntryOf(row), 0, m.local, m.settings, state, place), 0);
        const double sep = AngularSeparation(place.raHours, place.decDeg, row.Number("ra_pn_hours"),
                                             row.Number("dec_pn_deg"));
        EXPECT_LT(sep * kRadToArcsec, 1e-4);
        EXPECT_GE(place.raHours, 0.0);
        EXPECT_LT(place.raHours, 24.0);
    }
}

TEST(StarHorizontal, TopocentricModeIsTheFullReduction) {
    auto table = ReadEphemerisCsv("apparent_stars.csv");
    ReductionState state;
    for (const CsvRow& row : table->rows) {
        const double years = (row.Number("jde") - 2451545.0) / 365.25;
        if (std::fabs(years) > 60.0) continue;  // away from the proper-motion models' parting
        SCOPED_TRACE(row.Text("tt") + " " + row.Text("star"));
        const Moment m = MomentAtTt(row.Text("tt"));
        StarPlace place;
        ASSERT_EQ(StarHorizontal(EntryOf(row), 2, m.local, m.settings, state, place), 0);
        // ERFA's place is geocentric; the observer's rotation adds up to 0.32" of diurnal
        // aberration (0.2" at 51.5 degrees north).
        const double sep = AngularSeparation(place.raHours, place.decDeg, row.Number("erfa_ra_hours"),
                                             row.Number("erfa_dec_deg"));
        EXPECT_LT(sep * kRadToArcsec, 0.25);
    }
}

TEST(StarHorizontal, HorizonCoordinatesFollowTheApparentSiderealTime) {
    const Moment m = MomentAtTt("2024-06-21T22:00:00");
    ReductionState state;
    const StarCatalogPlace vega{18.61564900, 38.78369, 200.94, 286.23, 130.23};
    StarPlace place;
    ASSERT_EQ(StarHorizontal(vega, 0, m.local, m.settings, state, place), 0);
    const double last = LocalApparentSiderealTime(m);
    EXPECT_NEAR(place.altitude, Altitude(last, place.raHours, place.decDeg, 51.5), 1e-9);
    EXPECT_NEAR(place.azimuth, Azimuth(last, place.raHours, place.decDeg, 51.5), 1e-9);

    // A negative mode takes the catalog place as it is.
    ASSERT_EQ(StarHorizontal(vega, -1, m.local, m.settings, state, place), 0);
    EXPECT_EQ(place.raHours, vega.raHours);
    EXPECT_EQ(place.decDeg, vega.decDeg);
    EXPECT_NEAR(place.altitude, Altitude(last, vega.raHours, vega.decDeg, 51.5), 1e-9);
}

TEST(StarHorizontal, RefractionModesLiftTheStar) {
    Moment m = MomentAtTt("2024-06-21T22:00:00");
    m.settings.location.temperature = 10.0;
    m.settings.location.pressure = 1010.0;
    ReductionState state;
    const ObserverPlace site = ObserverPlaceFromLocation(m.settings.location);
    // A star on the meridian, its declination trimmed so that it stands on the geometric
    // horizon; then the same star higher and lower.
    StarCatalogPlace star{std::fmod(LocalApparentSiderealTime(m) + 24.0, 24.0), 0.0, 0.0, 0.0, 0.0};
    StarPlace probe;
    ASSERT_EQ(StarHorizontal(star, -1, m.local, m.settings, state, probe), 0);
    ASSERT_NEAR(probe.azimuth, 180.0, 1e-6);
    int nearHorizon = 0;
    for (int mode : {0, 2}) {
        // On the meridian the altitude follows the declination one for one.
        star.decDeg = -probe.altitude;
        StarPlace trim;
        ASSERT_EQ(StarHorizontal(star, mode, m.local, m.settings, state, trim), 0);
        const double horizonDec = star.decDeg - trim.altitude;
        for (double offset : {-2.0, 0.0, 0.3, 1.0, 10.0, 45.0}) {
            star.decDeg = horizonDec + offset;
            StarPlace plain, refracted;
            ASSERT_EQ(StarHorizontal(star, mode, m.local, m.settings, state, plain), 0);
            ASSERT_EQ(StarHorizontal(star, mode + 1, m.local, m.settings, state, refracted), 0);
            EXPECT_DOUBLE_EQ(refracted.azimuth, plain.azimuth);
            const double lift = refracted.altitude - plain.altitude;
            if (plain.altitude < -1.0) {
                EXPECT_EQ(lift, 0.0);
                continue;
            }
            EXPECT_NEAR(lift, Refraction(site, kRefractionLocal, 90.0 - refracted.altitude), 1e-4);
            if (std::fabs(plain.altitude) < 0.01) {
                EXPECT_NEAR(lift, 0.48, 0.01);
                ++nearHorizon;
            }
            // The refracted declination is the lifted one: on the meridian, higher is north.
            EXPECT_NEAR(refracted.decDeg - plain.decDeg, lift, 0.002);
        }
    }
    EXPECT_EQ(nearHorizon, 2);
}

TEST(StarHorizontal, EarthEphemerisLimitsOnlyTheTopocentricModes) {
    Moment m = MomentAtTt("1650-03-01T00:00:00");  // before the Earth ephemeris
    ReductionState state;
    const StarCatalogPlace star{5.0, 20.0, 0.0, 0.0, 0.0};
    StarPlace place;
    place.raHours = place.altitude = 9.0;
    EXPECT_EQ(StarHorizontal(star, 2, m.local, m.settings, state, place), 1);
    EXPECT_EQ(place.raHours, 0.0);
    EXPECT_EQ(place.decDeg, 0.0);
    EXPECT_EQ(place.altitude, 0.0);
    EXPECT_EQ(place.azimuth, 0.0);
    EXPECT_EQ(StarHorizontal(star, 3, m.local, m.settings, state, place), 1);
    EXPECT_EQ(StarHorizontal(star, 0, m.local, m.settings, state, place), 0);
    EXPECT_NE(place.raHours, 0.0);
}

TEST(StarHorizontal, ParallaxOfTheNearestStarsShowsTopocentrically) {
    // Proxima-like: 768 mas. Half a year apart the annual parallax swings the place by up to
    // twice 0.768"; a star without parallax does not swing beyond aberration's own pattern.
    ReductionState state;
    const StarCatalogPlace near{14.5, -62.68, 0.0, 0.0, 768.0};
    const StarCatalogPlace far{14.5, -62.68, 0.0, 0.0, 0.0};
    double largest = 0.0;
    for (const char* date : {"2024-01-05T00:00:00", "2024-03-20T00:00:00", "2024-06-20T00:00:00",
                             "2024-09-22T00:00:00"}) {
        const Moment m = MomentAtTt(date);
        StarPlace a, b;
        ASSERT_EQ(StarHorizontal(near, 2, m.local, m.settings, state, a), 0);
        ASSERT_EQ(StarHorizontal(far, 2, m.local, m.settings, state, b), 0);
        largest = std::max(largest, AngularSeparation(a.raHours, a.decDeg, b.raHours, b.decDeg) * kRadToArcsec);
    }
    EXPECT_GT(largest, 0.5);
    EXPECT_LT(largest, 0.78);
}

}  // namespace
}  // namespace vsp
