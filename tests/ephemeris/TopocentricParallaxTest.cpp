// The classical parallax correction: its size for the Moon and the Sun, and PyEphem's
// topocentric places of the Sun (tests/data/ephemeris/topocentric.csv).

#include <gtest/gtest.h>

#include <cmath>

#include "support/EphemerisCsv.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/TopocentricParallax.h"

namespace vsp {
namespace {

using test::bodies::CsvRow;
using test::bodies::ReadEphemerisCsv;

constexpr double kRadToArcsec = 206264.80624709636;

// From the equator at sea level a body on the celestial equator is displaced along the
// equator by at most the angle the Earth's radius subtends at the body, asin(sin p): scan a
// whole day of hour angles for the largest shift.
double LargestShift(double distance) {
    const double T = 0.24;
    double largest = 0.0;
    for (int i = 0; i < 7200; ++i) {
        double alpha = 2.0 * M_PI * i / 7200.0, delta = 0.0;
        const double before = alpha;
        TopocentricParallax(T, alpha, delta, distance, 0.0, 0.0, 0.0);
        EXPECT_NEAR(delta, 0.0, 1e-15);
        largest = std::max(largest, std::fabs(alpha - before));
    }
    return largest;
}

TEST(TopocentricParallax, MoonUsesTheExactRatioAndTheSunTheSolarParallax) {
    // The Moon, nearer than 0.005 AU: the exact horizontal parallax asin(r / distance).
    const double moon = 0.0025;
    const double r = 6378.14 / 149597870.0;
    EXPECT_NEAR(LargestShift(moon), std::asin(r / moon), 1e-9);
    // Beyond 0.005 AU: 8.794" / distance.
    EXPECT_NEAR(LargestShift(1.0) * kRadToArcsec, 8.794, 1e-4);
    EXPECT_NEAR(LargestShift(0.5) * kRadToArcsec, 2.0 * 8.794, 2e-4);
}

TEST(TopocentricParallax, SunAndPlanetsMatchPyEphem) {
    auto table = ReadEphemerisCsv("topocentric.csv");
    ASSERT_GE(table->rows.size(), 160u);
    int checked = 0;
    for (const CsvRow& row : table->rows) {
        SCOPED_TRACE(row.Text("observer") + " " + row.Text("ut") + " " + row.Text("body"));
        // Sidereal time follows UT: hand the function the centuries of the UT date.
        const double T = (row.Number("ut_jd") - 2451545.0) / 36525.0;
        double alpha = row.Number("geo_ra_hours") * 15.0 * M_PI / 180.0;
        double delta = row.Number("geo_dec_deg") * M_PI / 180.0;
        double azimuth = -1.0, altitude = -1.0;
        TopocentricParallax(T, alpha, delta, row.Number("earth_distance_au"), -row.Number("lon_east_deg"),
                            row.Number("lat_deg"), row.Number("elevation_m"), &azimuth, &altitude);
        const double ra = alpha * 12.0 / M_PI, dec = delta * 180.0 / M_PI;
        const double sep = AngularSeparation(ra, dec, row.Number("ra_hours"), row.Number("dec_deg"));
        // The shift itself is at most 8.794"/distance (22" for Venus); PyEphem's place agrees to
        // a small part of it.
        EXPECT_LT(sep * kRadToArcsec, 0.1);
        EXPECT_NEAR(altitude, row.Number("alt_deg"), 2.0 / 3600.0);
        double dAz = std::fmod(azimuth - row.Number("az_deg") + 540.0, 360.0) - 180.0;
        EXPECT_LT(std::fabs(dAz) * std::cos(altitude * M_PI / 180.0), 2.0 / 3600.0);
        ++checked;
    }
    EXPECT_GE(checked, 160);
}

}  // namespace
}  // namespace vsp
