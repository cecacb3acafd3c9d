// Calendar, Julian Dates, ΔT and sidereal time: the published worked values, the calendar
// switch, the carries, and ERFA's cal2jd/gmst82 over 1800–2200.

#include <array>
#include <cmath>
#include <cstdio>
#include <random>

#include <gtest/gtest.h>

#include "support/EphemerisCsv.h"
#include "ephemeris/Time.h"

namespace vsp::test::bodies {
namespace {

struct Date {
    int year = 0, month = 0, day = 0;
};

Date ParseDate(const std::string& text) {
    Date d;
    std::sscanf(text.c_str(), "%d-%d-%d", &d.year, &d.month, &d.day);
    return d;
}

EphemerisSettings SettingsFor(int currentYear, double deltaT = 66.184) {
    EphemerisSettings s;
    s.currentYear = currentYear;
    s.deltaT = deltaT;
    return s;
}

void ExpectFields(const CalendarDateTime& t, int y, int mo, int d, int h, int mi, int s) {
    EXPECT_EQ(t.year, y);
    EXPECT_EQ(t.month, mo);
    EXPECT_EQ(t.day, d);
    EXPECT_EQ(t.hour, h);
    EXPECT_EQ(t.minute, mi);
    EXPECT_EQ(t.second, s);
}

TEST(JulianDay, PublishedValues) {
    EXPECT_EQ(JulianDay(2000, 1, 1), 2451544.5);
    EXPECT_EQ(JulianDay(2200, 1, 1), 2524593.5);
    EXPECT_EQ(JulianDay(0, 1, 1), 1721057.5);
    // Meeus, Astronomical Algorithms, examples 7.a-7.b and the table after them.
    EXPECT_EQ(JulianDay(1957, 10, 4), 2436115.5);
    EXPECT_EQ(JulianDay(333, 1, 27), 1842712.5);
    EXPECT_EQ(JulianDay(1600, 1, 1), 2305447.5);
    EXPECT_EQ(JulianDay(837, 4, 10), 2026871.5);
    EXPECT_EQ(JulianDay(-1000, 7, 12), 1356000.5);
    EXPECT_EQ(JulianDay(-4712, 1, 1), -0.5);
}

TEST(JulianDay, GregorianFromMarchBasedYear1584) {
    // 1582-10-15 is still taken as a Julian date: ten days after 1582-10-05 (Julian).
    EXPECT_EQ(JulianDay(1582, 10, 15), 2299170.5);
    EXPECT_EQ(JulianDay(1582, 10, 4), 2299159.5);
    // 1584-02-29 belongs to March-based 1583 (Julian, = Gregorian 1584-03-10, erfa 2299672.5);
    // 1584-03-01 is Gregorian (erfa cal2jd 2299663.5).
    EXPECT_EQ(JulianDay(1584, 2, 29), 2299672.5);
    EXPECT_EQ(JulianDay(1584, 3, 1), 2299663.5);
    EXPECT_EQ(JulianDay(1583, 12, 31), 2299602.5 + 10);
}

TEST(JulianDay, LocalClockAndZone) {
    EXPECT_DOUBLE_EQ(JulianDayLocal(2000, 1, 1, 12, 0, 0, 0), 2451545.0);
    // Local = UT + offset: 13:00 at +60 is 12:00 UT; 07:00 at -300 is 12:00 UT.
    EXPECT_DOUBLE_EQ(JulianDayLocal(2000, 1, 1, 13, 0, 0, 60), 2451545.0);
    EXPECT_DOUBLE_EQ(JulianDayLocal(2000, 1, 1, 7, 0, 0, -300), 2451545.0);
    // Fields outside their ranges are carried by the arithmetic.
    EXPECT_DOUBLE_EQ(JulianDayLocal(2000, 1, 1, 11, 59, 60, 0), 2451545.0);
    EXPECT_DOUBLE_EQ(JulianDayLocal(2000, 1, 2, -12, 0, 0, 0), 2451545.0);
    EXPECT_DOUBLE_EQ(JulianDayLocal(2000, 1, 1, 0, 720, 0, 0), 2451545.0);
}

TEST(JulianDay, AgreesWithErfaCal2jd) {
    auto table = ReadEphemerisCsv("time.csv");
    ASSERT_GE(table->rows.size(), 100u);
    for (const CsvRow& row : table->rows) {
        const int y = int(row.Number("year")), mo = int(row.Number("month")), d = int(row.Number("day"));
        const int h = int(row.Number("hour")), mi = int(row.Number("minute")), s = int(row.Number("second"));
        EXPECT_EQ(JulianDay(y, mo, d), row.Number("jd_ut_0h")) << y << "-" << mo << "-" << d;
        EXPECT_NEAR(JulianDayLocal(y, mo, d, h, mi, s, 0), row.Number("jd_ut"), 1e-8);
        ExpectFields(CalendarFromJulianDay(row.Number("jd_ut")), y, mo, d, h, mi, s);
    }
}

TEST(CalendarFromJulianDay, SwitchesAtJd2299161) {
    ExpectFields(CalendarFromJulianDay(2299160.5), 1582, 10, 15, 0, 0, 0);
    ExpectFields(CalendarFromJulianDay(2299159.5), 1582, 10, 4, 0, 0, 0);
    ExpectFields(CalendarFromJulianDay(2451545.0), 2000, 1, 1, 12, 0, 0);
    ExpectFields(CalendarFromJulianDay(0.0), -4712, 1, 1, 12, 0, 0);
    ExpectFields(CalendarFromJulianDayTruncating(2299160.5), 1582, 10, 15, 0, 0, 0);
}

TEST(CalendarFromJulianDay, RoundedSixtySecondsAreCarried) {
    // 0.7 s before midnight of New Year rounds to the next year.
    ExpectFields(CalendarFromJulianDay(JulianDay(2024, 12, 31) + 86399.7 / 86400), 2025, 1, 1, 0, 0, 0);
    ExpectFields(CalendarFromJulianDayTruncating(JulianDay(2024, 12, 31) + 86399.7 / 86400), 2025, 1, 1, 0, 0, 0);
    ExpectFields(CalendarFromJulianDay(JulianDay(2024, 2, 28) + 86399.6 / 86400), 2024, 2, 29, 0, 0, 0);
    ExpectFields(CalendarFromJulianDay(JulianDay(2026, 3, 20) + 50399.6 / 86400), 2026, 3, 20, 14, 0, 0);
    ExpectFields(CalendarFromJulianDay(JulianDay(2026, 3, 20) + 50399.4 / 86400), 2026, 3, 20, 13, 59, 59);
}

TEST(CalendarFromJulianDay, RoundTripsEveryWholeSecondClock) {
    // Dates where the forward (1583 rule) and inverse (JD 2299161) conversions use the same
    // calendar: Julian before 1582-10-05, Gregorian from 1584-03-01.
    std::mt19937 random(20260101);
    std::uniform_int_distribution<int> years(-4000, 2199), months(1, 12), days(1, 28), hours(0, 23),
        sixty(0, 59);
    int checked = 0;
    while (checked < 5000) {
        const int y = years(random), mo = months(random), d = days(random);
        const int h = hours(random), mi = sixty(random), s = sixty(random);
        if (y >= 1582 && y <= 1584) continue;
        const double jd = JulianDayLocal(y, mo, d, h, mi, s, 0);
        const CalendarDateTime t = CalendarFromJulianDay(jd);
        ExpectFields(t, y, mo, d, h, mi, s);
        if (jd >= 0) ExpectFields(CalendarFromJulianDayTruncating(jd), y, mo, d, h, mi, s);
        ASSERT_FALSE(testing::Test::HasFailure()) << y << "-" << mo << "-" << d << " " << h << ":" << mi << ":" << s;
        ++checked;
    }
}

TEST(CalendarFromJulianDay, FieldsAlwaysFormAClock) {
    // JD -> calendar -> JD within half a second, fields inside their ranges.
    for (double jd = 1721057.5; jd < 2524593.5; jd += 12345.678901) {
        const CalendarDateTime t = CalendarFromJulianDay(jd);
        EXPECT_GE(t.second, 0);
        EXPECT_LE(t.second, 59);
        EXPECT_LE(t.minute, 59);
        EXPECT_LE(t.hour, 23);
        if (jd >= 2299160.5) {
            EXPECT_NEAR(JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second, 0), jd, 0.5 / 86400);
        }
    }
}

TEST(Calendar, LeapYearsFollowThe1583Rule) {
    EXPECT_TRUE(IsLeapYear(1500));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_FALSE(IsLeapYear(1700));
    EXPECT_TRUE(IsLeapYear(1300));
    EXPECT_TRUE(IsLeapYear(1584));
    EXPECT_TRUE(IsLeapYear(0));
    EXPECT_TRUE(IsLeapYear(-4));
    EXPECT_FALSE(IsLeapYear(-1));
}

TEST(Calendar, DecimalYearCountsTheDayOfTheYear) {
    for (int year : {1500, 1900, 2023, 2024}) {
        const int lengths[12] = {31, IsLeapYear(year) ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const double daysInYear = IsLeapYear(year) ? 366 : 365;
        int dayOfYear = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= lengths[month - 1]; ++day) {
                ++dayOfYear;
                ASSERT_DOUBLE_EQ(DecimalYear(year, month, day), year + dayOfYear / daysInYear)
                    << year << "-" << month << "-" << day;
            }
        }
    }
}

TEST(DeltaT, WorkedValues) {
    auto table = ReadEphemerisCsv("deltat_worked.csv");
    ASSERT_EQ(table->rows.size(), 3u);
    for (const CsvRow& row : table->rows) {
        const Date date = ParseDate(row.Text("date"));
        const EphemerisSettings settings = SettingsFor(int(row.Number("observing_year")));
        EXPECT_NEAR(DeltaT(date.year, date.month, date.day, settings), row.Number("delta_t_s"), 1e-9)
            << row.Text("date") << " seen from " << row.Text("observing_year");
    }
    EXPECT_NEAR(DeltaT(1690, 7, 1, SettingsFor(2026)), 7.75, 0.01);
    EXPECT_NEAR(DeltaT(2010, 7, 1, SettingsFor(2026)), 79.9, 0.05);
    EXPECT_EQ(DeltaT(2010, 7, 1, SettingsFor(2010)), 66.184);
}

TEST(DeltaT, RulesInOrder) {
    // The setting wins for the observing year, even inside the table's span...
    EXPECT_EQ(DeltaT(1690, 7, 1, SettingsFor(1690, 55.5)), 55.5);
    // ...and is decided by the calendar year, not the decimal year (2009-12-31 is Y = 2010.0).
    EXPECT_NE(DeltaT(2009, 12, 31, SettingsFor(2010, 55.5)), 55.5);
    // Before 948: 31 u^2 with u = (Y - 1820)/100. Y = 0 + 1/366 (year 0 is leap).
    const double u0 = (1.0 / 366 - 1820) / 100;
    EXPECT_NEAR(DeltaT(0, 1, 1, SettingsFor(2026)), 31 * u0 * u0, 1e-9);
    // 948-1620: 50.6 + 67.5 t + 22.5 t^2; at 947/948 the rule changes (2360 s against 1829 s).
    EXPECT_NEAR(DeltaT(947, 7, 1, SettingsFor(2026)), 2359.9018, 1e-3);
    EXPECT_NEAR(DeltaT(948, 7, 1, SettingsFor(2026)), 1828.5551, 1e-3);
    // The table at its grid years: 1900 is -2.8 s and 2000 is 63.8 s (Meeus table 10.A).
    EXPECT_NEAR(DeltaT(1900, 1, 1, SettingsFor(2026)), -2.8, 0.01);
    EXPECT_NEAR(DeltaT(2000, 1, 1, SettingsFor(2026)), 63.8, 0.01);
    EXPECT_NEAR(DeltaT(1620, 1, 1, SettingsFor(2026)), 121.0, 0.05);
    // The table ends at Y = 2006.0, which is 2005-12-31; 2006-01-01 (Y = 2006 + 1/365) already
    // takes the 2000-2100 expression.
    EXPECT_NEAR(DeltaT(2005, 12, 31, SettingsFor(2026)), 64.9, 1e-9);
    const double t2006 = (2006 + 1.0 / 365 - 2000) / 100;
    EXPECT_NEAR(DeltaT(2006, 1, 1, SettingsFor(2026)),
                102 + 102 * t2006 + 25.3 * t2006 * t2006 + 0.37 * (2006 + 1.0 / 365 - 2100), 1e-9);
    // From 2100 the term in (Y - 2100) is gone; both sides meet at 2100.0.
    const double t2100 = (2100 + 1.0 / 365 - 2000) / 100;
    EXPECT_NEAR(DeltaT(2100, 1, 1, SettingsFor(2026)), 102 + 102 * t2100 + 25.3 * t2100 * t2100, 1e-9);
    EXPECT_NEAR(DeltaT(2099, 12, 30, SettingsFor(2026)), DeltaT(2100, 1, 1, SettingsFor(2026)), 0.01);
}

TEST(DeltaT, EphemerisDayAddsWholeSeconds) {
    const CalendarDateTime t{2026, 3, 20, 21, 30, 0};
    const double jd = JulianDayLocal(2026, 3, 20, 21, 30, 0, 60);
    EXPECT_NEAR(JulianEphemerisDay(t, 60, SettingsFor(2026, 69.9)) - jd, 69.0 / 86400, 1e-9);
    // Truncated towards zero: -2.8 s in 1900 adds -2 s.
    const CalendarDateTime t1900{1900, 1, 1, 0, 0, 0};
    EXPECT_NEAR(JulianEphemerisDay(t1900, 0, SettingsFor(2026)) - JulianDay(1900, 1, 1), -2.0 / 86400, 1e-9);
}

TEST(SiderealTime, AgreesWithErfaGmst82) {
    auto table = ReadEphemerisCsv("time.csv");
    ASSERT_GE(table->rows.size(), 100u);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> zones(-720, 720);
    std::uniform_real_distribution<double> longitudes(-180, 180);
    for (const CsvRow& row : table->rows) {
        const int y = int(row.Number("year")), mo = int(row.Number("month")), d = int(row.Number("day"));
        const int h = int(row.Number("hour")), mi = int(row.Number("minute")), s = int(row.Number("second"));
        EXPECT_NEAR(SiderealTime0h(y, mo, d), row.Number("gmst0_hours"), 1e-7) << row.Text("jd_ut");
        EXPECT_NEAR(LocalSiderealTime(y, mo, d, h, mi, s, 0, 0), row.Number("gmst82_hours"), 1e-7)
            << row.Text("jd_ut");

        // The same instant as a local clock elsewhere, the local date carried properly.
        const int zone = zones(random);
        const double west = longitudes(random);
        int ly = y, lmo = mo, ld = d, lh = h, lmi = mi;
        AddMinutes(ly, lmo, ld, lh, lmi, zone);
        const double lst = LocalSiderealTime(ly, lmo, ld, lh, lmi, s, west, zone);
        double expected = std::fmod(row.Number("gmst82_hours") - west / 15 + 48, 24.0);
        double diff = std::fabs(lst - expected);
        EXPECT_LT(std::min(diff, 24 - diff), 1e-7) << row.Text("jd_ut") << " zone " << zone;
    }
}

TEST(SiderealTime, LocalTimeStaysInsideTheDay) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> years(1, 2199), months(1, 12), days(1, 28), hours(-30, 50),
        minutes(-200, 200), zones(-720, 720);
    std::uniform_real_distribution<double> longitudes(-360, 360);
    for (int i = 0; i < 20000; ++i) {
        const double lst = LocalSiderealTime(years(random), months(random), days(random), hours(random),
                                             minutes(random), minutes(random), longitudes(random), zones(random));
        ASSERT_GE(lst, 0.0);
        ASSERT_LE(lst, 24.0);
        const double st0 = SiderealTime0h(years(random), months(random), days(random));
        ASSERT_GE(st0, 0.0);
        ASSERT_LT(st0, 24.0);
    }
}

TEST(AddMinutes, CarriesAcrossDaysMonthsYearsAndLeapDays) {
    struct Case {
        int y, mo, d, h, mi, delta;
        int ey, emo, ed, eh, emi;
    };
    const Case cases[] = {
        {2024, 2, 28, 23, 59, 1, 2024, 2, 29, 0, 0},
        {2023, 2, 28, 23, 59, 1, 2023, 3, 1, 0, 0},
        {2025, 12, 31, 23, 30, 45, 2026, 1, 1, 0, 15},
        {2026, 1, 1, 0, 10, -20, 2025, 12, 31, 23, 50},
        {2024, 3, 1, 0, 0, -1, 2024, 2, 29, 23, 59},
        {2023, 3, 1, 0, 0, -1, 2023, 2, 28, 23, 59},
        {1900, 3, 1, 0, 0, -1, 1900, 2, 28, 23, 59},
        {1500, 3, 1, 0, 0, -1, 1500, 2, 29, 23, 59},
        {2026, 4, 30, 23, 0, 60, 2026, 5, 1, 0, 0},
        {2026, 5, 1, 0, 0, -720, 2026, 4, 30, 12, 0},
        {2026, 1, 1, 0, 0, -1, 2025, 12, 31, 23, 59},
        {2026, 6, 15, 12, 0, 0, 2026, 6, 15, 12, 0},
    };
    for (const Case& c : cases) {
        int y = c.y, mo = c.mo, d = c.d, h = c.h, mi = c.mi;
        AddMinutes(y, mo, d, h, mi, c.delta);
        EXPECT_EQ((std::array{y, mo, d, h, mi}), (std::array{c.ey, c.emo, c.ed, c.eh, c.emi}))
            << c.y << "-" << c.mo << "-" << c.d << " " << c.h << ":" << c.mi << " + " << c.delta;
    }
}

TEST(AddMinutes, MovesTheJulianDateByTheMinutesAdded) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> years(1600, 2199), months(1, 12), days(1, 28), hours(0, 23),
        sixty(0, 59), deltas(-600000, 600000);
    for (int i = 0; i < 2000; ++i) {
        int y = years(random), mo = months(random), d = days(random), h = hours(random), mi = sixty(random);
        const int delta = deltas(random);
        const double before = JulianDayLocal(y, mo, d, h, mi, 0, 0);
        AddMinutes(y, mo, d, h, mi, delta);
        ASSERT_NEAR(JulianDayLocal(y, mo, d, h, mi, 0, 0) - before, delta / 1440.0, 1e-7);
        ASSERT_TRUE(mi >= 0 && mi <= 59 && h >= 0 && h <= 23 && d >= 1 && mo >= 1 && mo <= 12);
    }
}

TEST(JulianDay, TypedJdAcceptedFromYear0UpTo2200) {
    EXPECT_TRUE(IsAcceptableJulianDay(1721057.5));
    EXPECT_FALSE(IsAcceptableJulianDay(1721057.4999));
    EXPECT_TRUE(IsAcceptableJulianDay(2524593.4999));
    EXPECT_FALSE(IsAcceptableJulianDay(2524593.5));
    EXPECT_STREQ(kInvalidJdMessage, "Invalid JD date");
}

}  // namespace
}  // namespace vsp::test::bodies
