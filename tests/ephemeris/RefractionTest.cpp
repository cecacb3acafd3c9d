// Bennett's refraction and the step to the horizon, against PyEphem's altitudes and azimuths
// (tests/data/ephemeris/topocentric.csv) and the textbook refraction at the horizon.

#include <gtest/gtest.h>

#include <cmath>

#include "support/EphemerisCsv.h"
#include "ephemeris/Refraction.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

using test::bodies::CsvRow;
using test::bodies::ReadEphemerisCsv;

ObserverPlace SeaLevel() {
    ObserverPlace p;
    p.latitude = 40.0;
    return p;
}

TEST(Refraction, BennettAtTheHorizonAndItsLimits) {
    const ObserverPlace place = SeaLevel();
    // Bennett: 34.5' for an apparent altitude of 0 (1010 mbar, 10 C).
    EXPECT_NEAR(Refraction(place, kRefractionStandard, 90.0), 34.5 / 60.0, 0.1 / 60.0);
    // About 1' at 45 degrees.
    EXPECT_NEAR(Refraction(place, kRefractionStandard, 45.0) * 60.0, 1.0, 0.02);
    EXPECT_EQ(Refraction(place, kRefractionStandard, 91.5), 0.0);
    EXPECT_EQ(Refraction(place, kRefractionStandard, 0.05), 0.0);
    EXPECT_GT(Refraction(place, kRefractionStandard, 91.0), 0.0);
    EXPECT_GT(Refraction(place, kRefractionStandard, 0.1), 0.0);
}

TEST(Refraction, AtmosphereScalesIt) {
    ObserverPlace place = SeaLevel();
    const double standard = Refraction(place, kRefractionStandard, 80.0);
    // Option 2 reads the place's weather: proportional to P / (T + 273).
    place.pressure = 1010.0;
    place.temperature = 10.0;
    EXPECT_NEAR(Refraction(place, kRefractionLocal, 80.0), standard, 1e-12);
    place.pressure = 505.0;
    place.temperature = 10.0 + 283.0;
    EXPECT_NEAR(Refraction(place, kRefractionLocal, 80.0), standard / 4.0, 1e-12);
    place.pressure = 0.0;
    EXPECT_EQ(Refraction(place, kRefractionLocal, 80.0), 0.0);
    // The standard atmosphere thins with a scale height of 9.1 km, whatever the weather.
    place.height = 9100.0;
    EXPECT_NEAR(Refraction(place, kRefractionStandard, 80.0), standard / M_E, 1e-12);
}

ObserverPlace PlaceOf(const CsvRow& row) {
    ObserverPlace p;
    p.latitude = row.Number("lat_deg");
    p.longitude = row.Number("lon_east_deg");
    p.height = row.Number("elevation_m");
    p.temperature = 10.0;
    p.pressure = 1013.0;
    return p;
}

double AzimuthDifference(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return d;
}

TEST(EquToHor, GeometricAltitudeAndAzimuthMatchPyEphem) {
    auto table = ReadEphemerisCsv("topocentric.csv");
    ASSERT_GE(table->rows.size(), 160u);
    EarthOrientationCache cache;
    for (const CsvRow& row : table->rows) {
        SCOPED_TRACE(row.Text("observer") + " " + row.Text("ut") + " " + row.Text("body"));
        const HorizonPlace h = EquToHor(row.Number("ut_jd"), row.Number("pyephem_delta_t_s"), PlaceOf(row),
                                        row.Number("ra_hours"), row.Number("dec_deg"), kRefractionNone, cache);
        EXPECT_NEAR(90.0 - h.zenithDistance, row.Number("alt_deg"), 1.0 / 3600.0);
        const double tolerance = 1.0 / 3600.0 / std::max(0.01, std::cos(row.Number("alt_deg") * M_PI / 180.0));
        EXPECT_NEAR(AzimuthDifference(h.azimuth, row.Number("az_deg")), 0.0, tolerance);
        EXPECT_EQ(h.raHours, row.Number("ra_hours"));  // no refraction, no change
        EXPECT_EQ(h.decDeg, row.Number("dec_deg"));
    }
}

TEST(EquToHor, RefractionLiftsTheHorizonSunByAboutHalfADegree) {
    auto table = ReadEphemerisCsv("topocentric.csv");
    EarthOrientationCache cache;
    int rows = 0;
    for (const CsvRow& row : table->rows) {
        if (row.Text("kind") != "horizon") continue;
        const double geometric = row.Number("alt_deg");
        SCOPED_TRACE(row.Text("observer") + " " + row.Text("ut") + " alt " + row.Text("alt_deg"));
        const ObserverPlace place = PlaceOf(row);
        const double jd = row.Number("ut_jd"), deltaT = row.Number("pyephem_delta_t_s");
        const double ra = row.Number("ra_hours"), dec = row.Number("dec_deg");
        const HorizonPlace plain = EquToHor(jd, deltaT, place, ra, dec, kRefractionNone, cache);
        const HorizonPlace lifted = EquToHor(jd, deltaT, place, ra, dec, kRefractionLocal, cache);
        EXPECT_DOUBLE_EQ(lifted.azimuth, plain.azimuth);
        const double lift = plain.zenithDistance - lifted.zenithDistance;
        if (geometric >= -0.1) {
            // Bennett's formula and PyEphem's model agree to a few hundredths of a degree
            // near the horizon, and closer higher up.
            const double pyephemLift = row.Number("alt_refracted_deg") - geometric;
            EXPECT_NEAR(lift, pyephemLift, geometric < 1.0 ? 0.03 : 0.005);
            ++rows;
        }
        if (std::fabs(geometric) < 0.01) {
            EXPECT_NEAR(lift, 0.48, 0.01);
        }
        // The refracted direction, taken back through the horizon step without refraction,
        // gives the refracted zenith distance.
        const HorizonPlace again =
            EquToHor(jd, deltaT, place, lifted.raHours, lifted.decDeg, kRefractionNone, cache);
        EXPECT_NEAR(again.zenithDistance, lifted.zenithDistance, 1e-9);
        EXPECT_NEAR(AzimuthDifference(again.azimuth, lifted.azimuth), 0.0, 1e-8);
    }
    EXPECT_GE(rows, 30);
}

}  // namespace
}  // namespace vsp
