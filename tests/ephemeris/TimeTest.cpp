// Calendar, Julian Dates, ΔT and sidereal time: the published worked values, the calendar
// switch, the carries, and ERFA's cal2jd/gmst82 over 1800–2200.

#include <array>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "ephemeris/Time.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::bodies {
namespace {

EphemerisSettings SettingsFor(int currentYear, double deltaT = 66.184) {
    EphemerisSettings s;
    s.currentYear = currentYear;
    s.deltaT = deltaT;
    return s;
}

std::array<int, 6> Fields(const CalendarDateTime& t) { return {t.year, t.month, t.day, t.hour, t.minute, t.second}; }

TEST(JulianDay, PublishedValuesAndTheGregorianSwitch) {
    // Meeus, Astronomical Algorithms, examples 7.a-7.b and the table after them.
    const std::pair<std::array<int, 3>, double> cases[] = {
        {{2000, 1, 1}, 2451544.5}, {{1957, 10, 4}, 2436115.5}, {{333, 1, 27}, 1842712.5},
        {{1600, 1, 1}, 2305447.5}, {{837, 4, 10}, 2026871.5}, {{-1000, 7, 12}, 1356000.5},
        {{-4712, 1, 1}, -0.5},
        // The Gregorian rule starts with March-based 1584: 1582-10-15 is still a Julian date,
        // and 1584-02-29 (March-based 1583) too (erfa: 2299672.5 for Gregorian 1584-03-10).
        {{1582, 10, 15}, 2299170.5}, {{1584, 2, 29}, 2299672.5}, {{1584, 3, 1}, 2299663.5}};
    for (const auto& [date, jd] : cases) EXPECT_EQ(JulianDay(date[0], date[1], date[2]), jd) << date[0];
    // Local = UT + offset; fields outside their ranges are carried by the arithmetic.
    for (auto [h, mi, s, zone] : {std::array{13, 0, 0, 60}, {7, 0, 0, -300}, {11, 59, 60, 0}, {0, 720, 0, 0}}) {
        EXPECT_DOUBLE_EQ(JulianDayLocal(2000, 1, 1, h, mi, s, zone), 2451545.0) << h << ":" << mi;
    }
    EXPECT_TRUE(IsAcceptableJulianDay(1721057.5) && IsAcceptableJulianDay(2524593.4999));
    EXPECT_FALSE(IsAcceptableJulianDay(1721057.4999) || IsAcceptableJulianDay(2524593.5));
}

TEST(CalendarFromJulianDay, SwitchesAtJd2299161AndCarriesRoundedSeconds) {
    // 0.7 s before midnight of New Year rounds into the next year, in both conversions.
    const double late = JulianDay(2024, 12, 31) + 86399.7 / 86400;
    const std::pair<double, std::array<int, 6>> cases[] = {
        {2299160.5, {1582, 10, 15, 0, 0, 0}}, {2299159.5, {1582, 10, 4, 0, 0, 0}}, {0.0, {-4712, 1, 1, 12, 0, 0}},
        {late, {2025, 1, 1, 0, 0, 0}}, {JulianDay(2024, 2, 28) + 86399.6 / 86400, {2024, 2, 29, 0, 0, 0}},
        {JulianDay(2026, 3, 20) + 50399.4 / 86400, {2026, 3, 20, 13, 59, 59}}};
    for (const auto& [jd, fields] : cases) EXPECT_EQ(Fields(CalendarFromJulianDay(jd)), fields) << jd;
    EXPECT_EQ(Fields(CalendarFromJulianDayTruncating(late)), (std::array{2025, 1, 1, 0, 0, 0}));
}

TEST(CalendarFromJulianDay, RoundTripsEveryWholeSecondClock) {
    // Where the forward (1583 rule) and inverse (JD 2299161) conversions use the same calendar.
    std::mt19937 random(20260101);
    std::uniform_int_distribution<int> years(-4000, 2199), months(1, 12), days(1, 28), hours(0, 23), sixty(0, 59);
    for (int checked = 0; checked < 5000;) {
        const std::array<int, 6> t{years(random), months(random), days(random), hours(random), sixty(random), sixty(random)};
        if (t[0] >= 1582 && t[0] <= 1584) continue;
        const double jd = JulianDayLocal(t[0], t[1], t[2], t[3], t[4], t[5], 0);
        ASSERT_EQ(Fields(CalendarFromJulianDay(jd)), t);
        if (jd >= 0) { ASSERT_EQ(Fields(CalendarFromJulianDayTruncating(jd)), t); }
        ++checked;
    }
}

TEST(Calendar, LeapYearsAndDecimalYear) {
    for (int year : {1500, 2000, 2024, 1300, 0, -4}) EXPECT_TRUE(IsLeapYear(year)) << year;
    for (int year : {1900, 2023, 1700, -1}) EXPECT_FALSE(IsLeapYear(year)) << year;
    EXPECT_DOUBLE_EQ(DecimalYear(2024, 3, 1), 2024 + 61 / 366.0);
    EXPECT_DOUBLE_EQ(DecimalYear(1900, 12, 31), 1901.0);
}

TEST(DeltaT, WorkedValuesAndTheRulesInOrder) {
    auto table = ReadEphemerisCsv("deltat_worked.csv");
    for (const CsvRow& row : table->rows) {
        const CivilTime date = ParseIsoTime(row.Text("date"));
        EXPECT_NEAR(DeltaT(date.year, date.month, date.day, SettingsFor(int(row.Number("observing_year")))),
                    row.Number("delta_t_s"), 1e-9) << row.Text("date") << " seen from " << row.Text("observing_year");
    }
    // The setting wins for the observing (calendar) year, even inside the table's span.
    EXPECT_EQ(DeltaT(1690, 7, 1, SettingsFor(1690, 55.5)), 55.5);
    EXPECT_NE(DeltaT(2009, 12, 31, SettingsFor(2010, 55.5)), 55.5);
    // Each rule where it starts: 948, the table (Meeus table 10.A) to Y = 2006.0, then the
    // 2000-2100 expression, which loses its (Y - 2100) term from 2100.
    EXPECT_NEAR(DeltaT(947, 7, 1, SettingsFor(2026)), 2359.9018, 1e-3);
    EXPECT_NEAR(DeltaT(948, 7, 1, SettingsFor(2026)), 1828.5551, 1e-3);
    EXPECT_NEAR(DeltaT(1900, 1, 1, SettingsFor(2026)), -2.8, 0.01);
    EXPECT_NEAR(DeltaT(2005, 12, 31, SettingsFor(2026)), 64.9, 1e-9);
    const double t2006 = (2006 + 1.0 / 365 - 2000) / 100, t2100 = (2100 + 1.0 / 365 - 2000) / 100;
    EXPECT_NEAR(DeltaT(2006, 1, 1, SettingsFor(2026)), 102 + 102 * t2006 + 25.3 * t2006 * t2006 + 37 * (t2006 - 1), 1e-9);
    EXPECT_NEAR(DeltaT(2100, 1, 1, SettingsFor(2026)), 102 + 102 * t2100 + 25.3 * t2100 * t2100, 1e-9);
    // The ephemeris day adds whole seconds, truncated towards zero (-2.8 s in 1900 adds -2 s).
    const Instant in1900 = LocalInstant({1900, 1, 1, 0, 0, 0}, SettingsFor(2026));
    EXPECT_NEAR(in1900.tt - JulianDay(1900, 1, 1), -2.0 / 86400, 1e-9);
    EXPECT_EQ(in1900.deltaT, -2.0);
}

// The same instant also as a local clock elsewhere, the local date carried.
TEST(JulianDayAndSiderealTime, AgreeWithErfaCal2jdAndGmst82InAnyZoneAndLongitude) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> zones(-720, 720);
    std::uniform_real_distribution<double> longitudes(-360, 360);
    ForEachRow("time.csv", {"jd_ut"}, [&](const CsvRow& row) {
        std::array<int, 6> t;
        for (int i = 0; const char* field : {"year", "month", "day", "hour", "minute", "second"}) t[i++] = int(row.Number(field));
        EXPECT_EQ(JulianDay(t[0], t[1], t[2]), row.Number("jd_ut_0h"));
        EXPECT_NEAR(JulianDayLocal(t[0], t[1], t[2], t[3], t[4], t[5], 0), row.Number("jd_ut"), 1e-8);
        EXPECT_EQ(Fields(CalendarFromJulianDay(row.Number("jd_ut"))), t);
        EXPECT_NEAR(SiderealTime0h(t[0], t[1], t[2]), row.Number("gmst0_hours"), 1e-7);
        const int zone = zones(random);
        const double west = longitudes(random);
        AddMinutes(t[0], t[1], t[2], t[3], t[4], zone);
        const double lst = LocalSiderealTime(t[0], t[1], t[2], t[3], t[4], t[5], west, zone);
        EXPECT_TRUE(lst >= 0.0 && lst < 24.0) << lst;
        EXPECT_NEAR(std::remainder(lst - row.Number("gmst82_hours") + west / 15, 24.0), 0.0, 1e-7);
    });
}

TEST(AddMinutes, CarriesAcrossDaysMonthsYearsAndLeapDays) {
    const std::array<int, 11> cases[] = {
        {2024, 2, 28, 23, 59, 1, 2024, 2, 29, 0, 0},    {2023, 2, 28, 23, 59, 1, 2023, 3, 1, 0, 0},
        {2025, 12, 31, 23, 30, 45, 2026, 1, 1, 0, 15},  {2026, 1, 1, 0, 10, -20, 2025, 12, 31, 23, 50},
        {1900, 3, 1, 0, 0, -1, 1900, 2, 28, 23, 59},    {1500, 3, 1, 0, 0, -1, 1500, 2, 29, 23, 59}};
    for (const auto& c : cases) {
        std::array<int, 5> t{c[0], c[1], c[2], c[3], c[4]};
        AddMinutes(t[0], t[1], t[2], t[3], t[4], c[5]);
        EXPECT_EQ(t, (std::array{c[6], c[7], c[8], c[9], c[10]})) << c[0] << "-" << c[1] << "-" << c[2] << " + " << c[5];
    }
}

}  // namespace
}  // namespace vsp::test::bodies
