// Topocentric places, altitude and azimuth, and refraction, against PyEphem observers.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "support/EphemerisCsv.h"
#include "ephemeris/ComputeBody.h"

namespace vsp::test::bodies {
namespace {

double SignedRaArcsec(double ra1, double ra2, double dec) {
    double d = ra1 - ra2;
    if (d > 12) d -= 24;
    if (d < -12) d += 24;
    return d * 15 * 3600 * std::cos(dec * M_PI / 180);
}

int CodeOf(const std::string& name) { return name == "sun" ? 0 : name == "venus" ? 3 : 4; }

struct ObservedBody {
    BodyPosition place;
    BodyHorizon horizon;
};

// The row's UT on a UT clock, with the whole seconds of PyEphem's ΔT as the ΔT setting.
ObservedBody Observe(const CsvRow& row, int chartMode) {
    const CivilTime ut = ParseIsoTime(row.Text("ut"));
    EphemerisSettings settings;
    settings.chartMode = chartMode;
    settings.location.latitude = row.Number("lat_deg");
    settings.location.longitudeWest = -row.Number("lon_east_deg");
    settings.location.height = row.Number("elevation_m");
    settings.location.tzOffset = 0;
    settings.location.temperature = 10.0;
    settings.location.pressure = 1013.0;
    settings.deltaT = std::trunc(row.Number("pyephem_delta_t_s"));
    settings.currentYear = ut.year;
    ObservedBody seen;
    EXPECT_EQ(ComputeBody(seen.place, CodeOf(row.Text("body")), ut.year, ut.month, ut.day, ut.hour,
                          ut.minute, ut.second, settings, &seen.horizon),
              kEphemerisOk);
    return seen;
}

// The shift from the Earth's centre to the observer is what the topocentric modes add: it must
// match PyEphem's to a fraction of its 8.8"/distance size, whatever the theories' own errors.
TEST(BodyTopocentric, ParallaxShiftMatchesPyEphem) {
    auto table = ReadEphemerisCsv("topocentric.csv");
    ASSERT_GE(table->rows.size(), 100u);
    for (const CsvRow& row : table->rows) {
        const ObservedBody geo = Observe(row, 0), topo = Observe(row, 2);
        const double dec = row.Number("dec_deg");
        const double mineRa = SignedRaArcsec(topo.place.rightAscension, geo.place.rightAscension, dec);
        const double theirsRa = SignedRaArcsec(row.Number("ra_hours"), row.Number("geo_ra_hours"), dec);
        const double mineDec = (topo.place.declination - geo.place.declination) * 3600;
        const double theirsDec = (row.Number("dec_deg") - row.Number("geo_dec_deg")) * 3600;
        const std::string what = row.Text("observer") + " " + row.Text("ut") + " " + row.Text("body");
        EXPECT_NEAR(mineRa, theirsRa, 0.5) << what;
        EXPECT_NEAR(mineDec, theirsDec, 0.5) << what;
        // The shift is there at all: up to 8.8"/distance.
        EXPECT_LE(std::hypot(mineRa, mineDec), 8.8 / topo.place.distance + 0.1) << what;
    }
}

TEST(BodyTopocentric, AltitudeAndAzimuthFollowTheObserver) {
    auto table = ReadEphemerisCsv("topocentric.csv");
    for (const CsvRow& row : table->rows) {
        const ObservedBody topo = Observe(row, 2);
        const std::string what = row.Text("observer") + " " + row.Text("ut") + " " + row.Text("body");
        // The Sun to its 2" theory, the planets to the Simon 1994 errors (Mars up to 30").
        const double tolerance = row.Text("body") == "sun" ? 5.0 / 3600 : 40.0 / 3600;
        EXPECT_NEAR(topo.horizon.altitude, row.Number("alt_deg"), tolerance) << what;
        double dAz = std::remainder(topo.horizon.azimuth - row.Number("az_deg"), 360.0);
        EXPECT_NEAR(dAz * std::cos(row.Number("alt_deg") * M_PI / 180), 0.0, tolerance) << what;
    }
}

// Bennett's formula against PyEphem's (a different model): equal lift at the horizon, close
// above it.
TEST(BodyTopocentric, RefractionModesLiftTheSunNearTheHorizon) {
    auto table = ReadEphemerisCsv("topocentric.csv");
    int nearHorizon = 0;
    for (const CsvRow& row : table->rows) {
        if (row.Text("kind") != "horizon") continue;
        const ObservedBody plain = Observe(row, 2), refracted = Observe(row, 3);
        const double geometric = row.Number("alt_deg");
        if (geometric < -0.3) continue;
        const std::string what = row.Text("observer") + " " + row.Text("ut");
        const double lift = refracted.horizon.altitude - plain.horizon.altitude;
        const double theirLift = row.Number("alt_refracted_deg") - geometric;
        EXPECT_NEAR(lift, theirLift, geometric < 1.0 ? 0.05 : 0.01) << what;
        if (std::fabs(geometric) < 0.1) {
            EXPECT_NEAR(lift, 0.48, 0.01) << what;
            ++nearHorizon;
        }
        // The record's RA and Dec are the refracted ones in the refraction modes.
        EXPECT_NE(refracted.place.declination, plain.place.declination) << what;
    }
    EXPECT_GE(nearHorizon, 3);
}

}  // namespace
}  // namespace vsp::test::bodies
