// The quick family: Keplerian planets from mean elements and the 1900-epoch Sun.

#include <cmath>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "support/EphemerisCsv.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/QuickPlanet.h"
#include "ephemeris/QuickSun.h"

namespace vsp::test::bodies {
namespace {

double SeparationDeg(double ra1, double dec1, double ra2, double dec2) {
    const double a1 = ra1 * M_PI / 12, a2 = ra2 * M_PI / 12;
    const double d1 = dec1 * M_PI / 180, d2 = dec2 * M_PI / 180;
    const double x = std::sin((d2 - d1) / 2), y = std::sin((a2 - a1) / 2);
    return 2 * std::asin(std::sqrt(x * x + std::cos(d1) * std::cos(d2) * y * y)) * 180 / M_PI;
}

// What mean elements without perturbations give, geocentric: Jupiter and Saturn's great
// inequality dominates.
const std::map<std::string, std::pair<int, double>> kQuickBodies = {
    {"mercury", {2, 0.03}}, {"venus", {3, 0.03}},  {"mars", {4, 0.08}},    {"jupiter", {5, 0.2}},
    {"saturn", {6, 0.3}},   {"uranus", {7, 0.1}},  {"neptune", {8, 0.03}}, {"pluto", {9, 0.03}},
};

// The day-number formula holds from 1900 March 1 to 2100 February 28.
bool InDayNumberRange(const CsvRow& row) {
    return row.Number("jde") > 2415079.5 && row.Number("jde") < 2488128.5;
}

TEST(QuickPlanet, FollowsTheAstrometricPlaceWithinTheMeanElements) {
    auto table = ReadEphemerisCsv("apparent_bodies.csv");
    int checked = 0;
    for (const CsvRow& row : table->rows) {
        auto entry = kQuickBodies.find(row.Text("body"));
        if (entry == kQuickBodies.end() || !InDayNumberRange(row)) continue;
        const CivilTime ut = ParseIsoTime(row.Text("ut"));
        QuickPlanetPlace place;
        ASSERT_EQ(QuickPlanet(entry->second.first, ut.year, ut.month, ut.day,
                              ut.hour + ut.minute / 60.0 + ut.second / 3600.0, place),
                  kEphemerisOk);
        EXPECT_LT(SeparationDeg(place.rightAscension, place.declination,
                                row.Number("astrometric_ra_hours"), row.Number("astrometric_dec_deg")),
                  entry->second.second)
            << row.Text("tt") << " " << row.Text("body");
        EXPECT_NEAR(place.distance, row.Number("earth_distance_au"), 0.02 * place.distance)
            << row.Text("tt") << " " << row.Text("body");
        EXPECT_NEAR(place.heliocentricDistance, row.Number("sun_distance_au"),
                    0.01 * place.heliocentricDistance)
            << row.Text("tt") << " " << row.Text("body");
        ++checked;
    }
    EXPECT_GE(checked, 100);
}

TEST(QuickPlanet, DayZeroIsJ2000AndGivesTheTabulatedElements) {
    const double d = QuickDayNumber(2000, 1, 1, 12.0);
    EXPECT_EQ(d, 0.0);
    EXPECT_EQ(QuickDayNumber(1999, 12, 31, 0.0), -1.5);
    // Mercury's J2000 row as printed.
    const QuickOrbit mercury = QuickOrbitAt(0, d);
    EXPECT_EQ(mercury.a, 0.38709893);
    EXPECT_EQ(mercury.e, 0.20563069);
    EXPECT_EQ(mercury.inclination, 7.00487);
    EXPECT_EQ(mercury.node, 48.33167);
    EXPECT_EQ(mercury.perihelion, 77.45645);
    EXPECT_EQ(mercury.meanLongitude, 252.25084);
    // The Earth on its orbit at d = 0: about 1 AU from the Sun, in the ecliptic.
    double earth[3];
    QuickHeliocentric(2, 0.0, earth);
    EXPECT_NEAR(std::hypot(earth[0], earth[1]), 0.9833, 1e-3);
    EXPECT_NEAR(earth[2], 0.0, 1e-5);
}

TEST(QuickPlanet, RefusesBodiesWithoutElements) {
    QuickPlanetPlace place;
    place.distance = 7.0;
    for (int body : {0, 1, 10, 42}) {
        EXPECT_EQ(QuickPlanet(body, 2020, 1, 1, 0.0, place), kEphemerisUnknownBody) << body;
        EXPECT_EQ(place.distance, 0.0);
        EXPECT_EQ(place.rightAscension, 0.0);
    }
}

// The 1900 elements give a geometric mean place; the apparent Sun adds aberration (20.5") and
// nutation (up to 17"); the distance leaves out the Moon's pull on the Earth (3e-5 AU) and
// the planets'.
TEST(QuickSun, FollowsTheApparentSunWithinAMinuteOfArc) {
    auto table = ReadEphemerisCsv("apparent_bodies.csv");
    int checked = 0;
    for (const CsvRow& row : table->rows) {
        if (row.Text("body") != "sun") continue;
        const QuickSunPlace sun = QuickSun(row.Number("jde"));
        EXPECT_LT(SeparationDeg(sun.rightAscension, sun.declination, row.Number("ra_hours"),
                                row.Number("dec_deg")) * 3600.0,
                  60.0)
            << row.Text("tt");
        EXPECT_NEAR(sun.distance, row.Number("earth_distance_au"), 1e-4) << row.Text("tt");
        EXPECT_NEAR(sun.obliquity, 23.44, 0.03);
        ++checked;
    }
    EXPECT_GE(checked, 20);
}

}  // namespace
}  // namespace vsp::test::bodies
