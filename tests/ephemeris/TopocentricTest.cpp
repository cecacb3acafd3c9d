// The observer's place: the classical parallax, Bennett's refraction, the step to the horizon
// and the body record's topocentric modes, against PyEphem's observers
// (tests/data/ephemeris/topocentric.csv).

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Refraction.h"
#include "ephemeris/Time.h"
#include "ephemeris/TopocentricParallax.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::bodies {
namespace {

const std::vector<std::string> kWhere = {"observer", "ut", "body"};

// The row's observer at 10 C and 1013 mbar.
ObserverPlace PlaceOf(const CsvRow& row) {
    return {.latitude = row.Number("lat_deg"), .longitude = row.Number("lon_east_deg"), .height = row.Number("elevation_m")};
}

// From the equator a body on the celestial equator moves along it by at most asin(r /
// distance) nearer than 0.005 AU (the Moon), 8.794" / distance beyond.
TEST(TopocentricParallax, MoonTakesTheExactRatioAndTheSunTheSolarParallax) {
    const Instant when = Instant::FromUt(kJ2000Jd + 0.24 * kDaysPerJulianCentury, 69.0);
    for (double distance : {0.0025, 0.5}) {
        double largest = 0.0;
        for (int i = 0; i < 7200; ++i) {
            double alpha = kTwoPi * i / 7200.0, delta = 0.0;
            TopocentricParallax(when, alpha, delta, distance, 0.0, 0.0, 0.0);
            largest = std::max(largest, std::fabs(alpha - kTwoPi * i / 7200.0));
        }
        EXPECT_NEAR(largest, distance < 0.005 ? std::asin(kEarthRadiusKm / kKmPerAu / distance) : 8.794 / kArcsecPerRadian / distance,
                    1e-9);
    }
}

TEST(Refraction, BennettAtTheHorizonItsLimitsAndTheAtmosphere) {
    ObserverPlace place;
    // Bennett: 34.5' for an apparent altitude of 0 (1010 mbar, 10 C); about 1' at 45 degrees.
    EXPECT_NEAR(Refraction(place, kRefractionStandard, 90.0), 34.5 / 60.0, 0.1 / 60.0);
    EXPECT_NEAR(Refraction(place, kRefractionStandard, 45.0) * 60.0, 1.0, 0.02);
    EXPECT_EQ(Refraction(place, kRefractionStandard, 91.5) + Refraction(place, kRefractionStandard, 0.05), 0.0);
    // The local option reads the weather (P / (T + 273)); the standard one thins with a scale
    // height of 9.1 km.
    const double standard = Refraction(place, kRefractionStandard, 80.0);
    place.pressure = 505.0;
    place.temperature = 10.0 + 283.0;
    place.height = 9100.0;
    EXPECT_NEAR(Refraction(place, kRefractionLocal, 80.0), standard / 4.0, 1e-12);
    EXPECT_NEAR(Refraction(place, kRefractionStandard, 80.0), standard / M_E, 1e-12);
}

// Bennett's formula and PyEphem's model agree to a few hundredths of a degree near the
// horizon, and closer higher up.
TEST(EquToHor, AltitudeAzimuthAndRefractionMatchPyEphem) {
    EarthOrientationCache cache;
    ForEachRow("topocentric.csv", kWhere, [&](const CsvRow& row) {
        const Instant when = Instant::FromUt(row.Number("ut_jd"), row.Number("pyephem_delta_t_s"));
        const double ra = row.Number("ra_hours"), dec = row.Number("dec_deg"), geometric = row.Number("alt_deg");
        const HorizonPlace plain = EquToHor(when, PlaceOf(row), ra, dec, kRefractionNone, cache);
        EXPECT_NEAR(90.0 - plain.zenithDistance, geometric, 1.0 / 3600.0);
        EXPECT_NEAR(std::remainder(plain.azimuth - row.Number("az_deg"), 360.0), 0.0,
                    1.0 / 3600.0 / std::max(0.01, std::cos(geometric * kDegToRad)));
        if (row.Text("kind") != "horizon") return;
        const HorizonPlace lifted = EquToHor(when, PlaceOf(row), ra, dec, kRefractionLocal, cache);
        const double lift = plain.zenithDistance - lifted.zenithDistance;
        if (geometric >= -0.1) {
            EXPECT_NEAR(lift, row.Number("alt_refracted_deg") - geometric, geometric < 1.0 ? 0.03 : 0.005);
        }
        // The refracted direction, taken back without refraction, gives the refracted place.
        const HorizonPlace again = EquToHor(when, PlaceOf(row), lifted.raHours, lifted.decDeg, kRefractionNone, cache);
        EXPECT_NEAR(again.zenithDistance, lifted.zenithDistance, 1e-9);
        EXPECT_NEAR(std::remainder(again.azimuth - lifted.azimuth, 360.0), 0.0, 1e-8);
    });
}

// The row's UT on a UT clock, with the whole seconds of PyEphem's ΔT as the ΔT setting.
BodyPosition Observe(const CsvRow& row, int chartMode, BodyHorizon& horizon) {
    const CivilTime ut = ParseIsoTime(row.Text("ut"));
    const ObserverPlace p = PlaceOf(row);
    EphemerisSettings settings;
    settings.chartMode = chartMode;
    settings.location = {.latitude = p.latitude, .longitudeWest = -p.longitude, .height = p.height};
    settings.deltaT = std::trunc(row.Number("pyephem_delta_t_s"));
    settings.currentYear = ut.year;
    const int code = row.Text("body") == "sun" ? kBodySun : row.Text("body") == "venus" ? kBodyVenus : kBodyMars;
    BodyPosition place;
    EXPECT_EQ(ComputeBody(place, code, LocalInstant(ut, settings), settings, &horizon),
              kEphemerisOk);
    return place;
}

// The shift from the Earth's centre to the observer must match PyEphem's to a fraction of its
// 8.8"/distance size, whatever the theories' own errors (the Sun to 2", Mars up to 30").
TEST(BodyTopocentric, ParallaxShiftAndHorizonPlaceMatchPyEphem) {
    ForEachRow("topocentric.csv", kWhere, [](const CsvRow& row) {
        BodyHorizon horizon;
        const BodyPosition geo = Observe(row, 0, horizon), topo = Observe(row, 2, horizon);
        const double cosDec = std::cos(row.Number("dec_deg") * kDegToRad);
        EXPECT_NEAR(std::remainder(topo.rightAscension - geo.rightAscension, 24.0) * 54000 * cosDec,
                    std::remainder(row.Number("ra_hours") - row.Number("geo_ra_hours"), 24.0) * 54000 * cosDec, 0.5);
        EXPECT_NEAR((topo.declination - geo.declination) * 3600, (row.Number("dec_deg") - row.Number("geo_dec_deg")) * 3600, 0.5);
        const double tolerance = row.Text("body") == "sun" ? 5.0 / 3600 : 40.0 / 3600;
        EXPECT_NEAR(horizon.altitude, row.Number("alt_deg"), tolerance);
        EXPECT_NEAR(std::remainder(horizon.azimuth - row.Number("az_deg"), 360.0) * std::cos(row.Number("alt_deg") * kDegToRad),
                    0.0, tolerance);
        // Mode 3 refracts the record's place too.
        BodyHorizon lifted;
        if (row.Text("kind") == "horizon" && row.Number("alt_deg") > -0.3) {
            EXPECT_NE(Observe(row, 3, lifted).declination, topo.declination);
            EXPECT_GT(lifted.altitude, horizon.altitude);
        }
    });
}

// One second before the observing year ends, the year's ΔT setting (66 s) forms TT while the
// next year's rule would give 144 s. The observer turns with the clock's UT and the Moon's age
// goes by the clock, whichever rule formed TT: the parallax shift and the lit fraction must be
// those of the same clock with the rule throughout. The rule's TT finds the Moon 78 s (43")
// further on, which moves the shift 0.4"; a UT taken 78 s early would move it 11".
TEST(BodyTopocentric, TheObserverKeepsTheClockAcrossTheYearsEnd) {
    const CalendarDateTime clock{2051, 12, 31, 23, 59, 59};
    auto shift = [&](int currentYear, BodyPosition& topo) {
        EphemerisSettings settings;
        settings.location = {.latitude = 51.4779, .longitudeWest = 0.0015, .height = 45.0};
        settings.deltaT = 66.184;
        settings.currentYear = currentYear;
        BodyPosition geo;
        settings.chartMode = 0;
        EXPECT_EQ(ComputeBody(geo, kBodyMoon, LocalInstant(clock, settings), settings), kEphemerisOk);
        settings.chartMode = 2;
        EXPECT_EQ(ComputeBody(topo, kBodyMoon, LocalInstant(clock, settings), settings), kEphemerisOk);
        const double cosDec = std::cos(geo.declination * kDegToRad);
        return std::array{std::remainder(topo.rightAscension - geo.rightAscension, 24.0) * 54000 * cosDec,
                          (topo.declination - geo.declination) * 3600};
    };
    BodyPosition setting, rule;
    const auto bySetting = shift(2051, setting), byRule = shift(0, rule);
    EXPECT_NEAR(bySetting[0], byRule[0], 1.0);
    EXPECT_NEAR(bySetting[1], byRule[1], 1.0);
    EXPECT_NEAR(setting.illuminatedFraction, rule.illuminatedFraction, 1e-9);
}

}  // namespace
}  // namespace vsp::test::bodies
