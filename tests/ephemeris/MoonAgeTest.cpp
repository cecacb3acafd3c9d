// The Moon's age from the 1980 elements: the fraction and picture of an age angle, and the
// age at the instants of the principal phases that PyEphem finds.

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "ephemeris/MoonAge.h"
#include "ephemeris/Time.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::bodies {
namespace {

TEST(MoonAge, FractionAndPictureOfAnAgeAngle) {
    int picture = -1;
    EXPECT_DOUBLE_EQ(MoonAgeFraction(0.0, picture), 0.0);
    EXPECT_EQ(picture, 0);
    EXPECT_DOUBLE_EQ(MoonAgeFraction(180.0, picture), 1.0);
    EXPECT_EQ(picture, 14);
    EXPECT_NEAR(MoonAgeFraction(90.0, picture), 0.5, 1e-15);
    EXPECT_EQ(picture, 7);
    EXPECT_NEAR(MoonAgeFraction(12.4, picture), 0.01166, 1e-5);  // just before the second picture
    EXPECT_EQ(picture, 0);
    MoonAgeFraction(12.42, picture);
    EXPECT_EQ(picture, 1);
    EXPECT_NEAR(MoonAgeFraction(359.99, picture), 0.0, 1e-8);
    EXPECT_EQ(picture, 28);
    // Angles outside one turn are brought into it first.
    EXPECT_NEAR(MoonAgeFraction(-90.0, picture), 0.5, 1e-15);
    EXPECT_EQ(picture, 21);
    EXPECT_DOUBLE_EQ(MoonAgeFraction(900.0, picture), 1.0);
    EXPECT_EQ(picture, 14);
    MoonAgeFraction(360.0, picture);
    EXPECT_EQ(picture, 0);
}

// The classical elements put the age within 0.32 deg of PyEphem's phases over 1900-2099
// (measured), so the pictures at the phases are certain and the fractions close.
TEST(MoonAge, AgeAtThePhasesPyEphemFinds) {
    auto table = ReadEphemerisCsv("../moon/phases.csv");
    ASSERT_GE(table->rows.size(), 300u);
    for (const CsvRow& row : table->rows) {
        const CalendarDateTime ut = CalendarFromJulianDay(row.Number("ut_jd"));
        const double hour = ut.hour + ut.minute / 60.0 + ut.second / 3600.0;
        const int quarter = static_cast<int>(std::lround(row.Number("phase_code") * 4));
        const double angle = MoonAgeAngle(ut.year, ut.month, ut.day, hour, 0);
        EXPECT_LT(std::fabs(std::remainder(angle - 90.0 * quarter, 360.0)), 0.4) << row.Text("ut");
        EXPECT_GE(angle, 0.0);
        EXPECT_LT(angle, 360.0);

        int picture = -1;
        const double fraction = MoonAge(ut.year, ut.month, ut.day, hour, 0, picture);
        switch (quarter) {
        case 0:
            EXPECT_LT(fraction, 2e-5) << row.Text("ut");
            EXPECT_TRUE(picture == 0 || picture == 28) << row.Text("ut") << " " << picture;
            break;
        case 1:
            EXPECT_NEAR(fraction, 0.5, 0.004) << row.Text("ut");
            EXPECT_EQ(picture, 7) << row.Text("ut");
            break;
        case 2:
            EXPECT_GT(fraction, 1.0 - 2e-5) << row.Text("ut");
            EXPECT_EQ(picture, 14) << row.Text("ut");
            break;
        default:
            EXPECT_NEAR(fraction, 0.5, 0.004) << row.Text("ut");
            EXPECT_EQ(picture, 21) << row.Text("ut");
        }
    }
}

// The zone offset is added to the hour: at the same clock hour, the zone 24 hours further
// east sees a Moon a day older (11 to 15 deg of age a day).
TEST(MoonAge, ZoneOffsetIsAddedToTheHour) {
    const double west = MoonAgeAngle(2000, 1, 21, 4.67, -720);
    const double east = MoonAgeAngle(2000, 1, 21, 4.67, 720);
    EXPECT_GT(std::remainder(east - west, 360.0), 11.0);
    EXPECT_LT(std::remainder(east - west, 360.0), 15.5);
}


// Between the phases the variation and the evection matter most. PyEphem's rows give the age
// angle through cos(elongation) = cos(latitude) cos(age), its sign through the elongation's
// (negative while the Moon wanes). Measured: 0.27 deg at most.
TEST(MoonAge, AgeAngleAgreesWithPyEphemBetweenThePhases) {
    auto table = ReadEphemerisCsv("../moon/moon_places.csv");
    ASSERT_GE(table->rows.size(), 200u);
    for (const CsvRow& row : table->rows) {
        const double elongation = row.Number("elongation_deg");
        const double cosAge = std::cos(elongation * M_PI / 180) / std::cos(row.Number("ecl_lat_deg") * M_PI / 180);
        double expected = std::acos(std::clamp(cosAge, -1.0, 1.0)) * 180 / M_PI;
        if (elongation < 0) expected = 360.0 - expected;
        const CalendarDateTime ut = CalendarFromJulianDay(row.Number("ut_jd"));
        const double hour = ut.hour + ut.minute / 60.0 + ut.second / 3600.0;
        const double angle = MoonAgeAngle(ut.year, ut.month, ut.day, hour, 0);
        EXPECT_LT(std::fabs(std::remainder(angle - expected, 360.0)), 0.4) << row.Text("tt");
    }
}

}  // namespace
}  // namespace vsp::test::bodies
