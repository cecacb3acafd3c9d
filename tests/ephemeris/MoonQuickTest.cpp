// The short lunar series of MoonQuick against PyEphem: the geocentric ecliptic place and
// distance that its 18 + 14 + 13 terms give, then the topocentric place and the parallax
// shift of the spherical Earth.

#include <cmath>

#include <gtest/gtest.h>

#include "ephemeris/MoonQuick.h"
#include "ephemeris/Nutation.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::bodies {
namespace {

constexpr double kDeg = M_PI / 180;

double SeparationArcsec(double ra1, double dec1, double ra2, double dec2) {
    const double a1 = ra1 * M_PI / 12, a2 = ra2 * M_PI / 12;
    const double d1 = dec1 * kDeg, d2 = dec2 * kDeg;
    const double x = std::sin((d2 - d1) / 2), y = std::sin((a2 - a1) / 2);
    return 2 * std::asin(std::sqrt(x * x + std::cos(d1) * std::cos(d2) * y * y)) * 206264.806;
}

// What the truncation leaves (measured over the 200 rows): 148" in longitude, 79" in
// latitude, 201 km. Meeus's full tables reach 22" and 12"; the 42 + 46 rows left out make up
// the rest.
TEST(MoonQuick, GeocentricPlaceWithinItsTruncation) {
    auto table = ReadEphemerisCsv("../moon/moon_places.csv");
    ASSERT_GE(table->rows.size(), 200u);
    for (const CsvRow& row : table->rows) {
        const double jde = row.Number("jde");
        const MoonQuickEcliptic moon = MoonQuickGeocentric((jde - 2451545.0) / 36525.0);
        const double apparent = moon.longitude + Nutation1980(jde).dpsi / 3600;
        const double dLon = std::remainder(apparent - row.Number("ecl_lon_deg"), 360.0);
        EXPECT_LT(std::fabs(dLon) * 3600, 160.0) << row.Text("tt");
        EXPECT_LT(std::fabs(moon.latitude - row.Number("ecl_lat_deg")) * 3600, 90.0) << row.Text("tt");
        EXPECT_NEAR(moon.distance, row.Number("earth_distance_km"), 220.0) << row.Text("tt");
        EXPECT_GE(moon.longitude, 0.0);
        EXPECT_LT(moon.longitude, 360.0);
    }
}

// PyEphem's topocentric rows at their UT (the clock is TT less ΔT in whole seconds, UT
// within a second). The place keeps the series' error plus the nutation it leaves out;
// measured 110". The shift from the quick geocentric place to the topocentric one is PyEphem's
// shift but for the sphere's missing flattening (up to 21 km of the observer's place).
TEST(MoonQuick, TopocentricPlaceAndParallax) {
    auto table = ReadEphemerisCsv("../moon/moon_places.csv");
    int checked = 0;
    for (const CsvRow& row : table->rows) {
        if (!row.Has("topo_observer")) continue;
        const CivilTime tt = ParseIsoTime(row.Text("tt"));
        EphemerisSettings settings;
        settings.currentYear = tt.year;
        settings.deltaT = row.Number("pyephem_delta_t_s");
        settings.location.latitude = row.Number("topo_lat_deg");
        settings.location.longitudeWest = -row.Number("topo_lon_east_deg");
        settings.location.height = row.Number("topo_elevation_m");
        settings.location.tzOffset = 60;  // the clock one hour ahead of UT
        double ra = -1, dec = -99, distance = 0;
        MoonQuick(ra, dec, tt.year, tt.month, tt.day, tt.hour + 1, tt.minute,
                  tt.second - static_cast<int>(std::trunc(settings.deltaT)), settings, &distance);
        const std::string what = row.Text("tt") + " " + row.Text("topo_observer");
        EXPECT_GE(ra, 0.0);
        EXPECT_LT(ra, 24.0);
        EXPECT_LT(SeparationArcsec(ra, dec, row.Number("topo_ra_hours"), row.Number("topo_dec_deg")), 130.0)
            << what;
        EXPECT_NEAR(distance * 149597870.0, row.Number("earth_distance_km"), 220.0) << what;

        // The quick geocentric place of the same instant, on the mean equator of date.
        const double T = (row.Number("jde") - 2451545.0) / 36525.0;
        const MoonQuickEcliptic geo = MoonQuickGeocentric(T);
        const double eps = (84381.448 - 46.815 * T) / 3600 * kDeg;
        const double l = geo.longitude * kDeg, b = geo.latitude * kDeg;
        const double geoRa = std::atan2(std::sin(l) * std::cos(eps) - std::tan(b) * std::sin(eps),
                                        std::cos(l)) / kDeg / 15;
        const double geoDec = std::asin(std::sin(b) * std::cos(eps) +
                                        std::cos(b) * std::sin(eps) * std::sin(l)) / kDeg;
        EXPECT_NEAR(SeparationArcsec(ra, dec, geoRa, geoDec), row.Number("topo_shift_arcsec"), 15.0) << what;
        ++checked;
    }
    EXPECT_EQ(checked, 40);
}

}  // namespace
}  // namespace vsp::test::bodies
