// The Moon's principal phases: Meeus's worked example, how a counter of 0 picks its lunation
// (before and after 2000), and the instants of 300 phases from 1900 to 2100 against PyEphem.

#include <cmath>
#include <cstdio>

#include <gtest/gtest.h>

#include "ephemeris/LunarPhase.h"
#include "ephemeris/TableDeltaT.h"
#include "support/EphemerisCsv.h"

namespace vsp {
namespace {

using test::bodies::ReadEphemerisCsv;

using test::TableDeltaT;

TEST(LunarPhase, MeeusExampleNewMoonOf1977February) {
    int32_t lunation = 0;
    LunarPhaseResult r;
    EXPECT_EQ(LunarPhase(kPhaseNew, lunation, 1977, 2, 15, 0, TableDeltaT(), r), 0);
    EXPECT_EQ(lunation, -283);
    EXPECT_NEAR(r.jde, 2443192.65118, 1e-5);  // 1977 February 18, 3h37m42s TD
    // UT is TT less ΔT of 1977 (about 48 s).
    EXPECT_NEAR((r.jde - r.jd) * 86400, DeltaT(1977, 2, 18, TableDeltaT()), 1e-3);
    EXPECT_EQ(r.ut.year, 1977);
    EXPECT_EQ(r.ut.month, 2);
    EXPECT_EQ(r.ut.day, 18);
    EXPECT_EQ(r.ut.hour, 3);
    EXPECT_EQ(r.ut.minute, 36);
}

TEST(LunarPhase, ACounterOfZeroTakesTheNearestLunationAndKeepsIt) {
    // Early January 2000: lunation 0, the new moon of January 6 (JDE 2451550.26).
    for (int day : {1, 7, 14}) {
        int32_t lunation = 0;
        LunarPhaseResult r;
        LunarPhase(kPhaseNew, lunation, 2000, 1, day, 0, TableDeltaT(), r);
        EXPECT_EQ(lunation, 0) << day;
        EXPECT_NEAR(r.jde, 2451550.26, 0.005);
        EXPECT_EQ(r.ut.day, 6);
    }
    // Later in January the next lunation is nearer.
    int32_t lunation = 0;
    LunarPhaseResult r;
    LunarPhase(kPhaseNew, lunation, 2000, 1, 25, 0, TableDeltaT(), r);
    EXPECT_EQ(lunation, 1);
    EXPECT_EQ(r.ut.month, 2);
    EXPECT_EQ(r.ut.day, 5);

    // A counter that is set is used as it stands, whatever the date.
    lunation = 118;
    LunarPhase(kPhaseFull, lunation, 1950, 6, 1, 0, TableDeltaT(), r);
    EXPECT_EQ(lunation, 118);
    EXPECT_EQ(r.ut.year, 2009);
    EXPECT_EQ(r.ut.month, 8);
    EXPECT_EQ(r.ut.day, 6);
}

TEST(LunarPhase, DatesBefore2000TakeTheLunationBelow) {
    // 1999 November 20 is 1.39 mean lunations before 2000.0: rounded, lunation -1 (the new
    // moon of December 7), where truncating towards zero would jump to 0 (January 6).
    EXPECT_EQ(LunationFromDate(1999, 11, 20), -1);
    EXPECT_EQ(LunationFromDate(1999, 12, 28), 0);
    EXPECT_EQ(LunationFromDate(1977, 2, 15), -283);
    EXPECT_EQ(LunationFromDate(1900, 1, 1), -1237);
    int32_t lunation = 0;
    LunarPhaseResult r;
    LunarPhase(kPhaseNew, lunation, 1999, 11, 20, 0, TableDeltaT(), r);
    EXPECT_EQ(r.ut.year, 1999);
    EXPECT_EQ(r.ut.month, 12);
    EXPECT_EQ(r.ut.day, 7);
}

TEST(LunarPhase, InstantsAgreeWithPyEphemFrom1900To2100) {
    const auto table = ReadEphemerisCsv("../moon/phases.csv");
    ASSERT_GE(table->rows.size(), 300u);
    double worst = 0;
    int before2000 = 0;
    for (const auto& row : table->rows) {
        const double code = row.Number("phase_code");
        const auto lunation = int32_t(row.Number("lunation"));
        LunarPhaseResult r;
        LunarPhaseOf(code, lunation, 0, TableDeltaT(), r);
        const double seconds = (r.jd - row.Number("ut_jd")) * 86400;
        EXPECT_LT(std::fabs(seconds), 120) << row.Text("phase") << " " << row.Text("ut");
        worst = std::fmax(worst, std::fabs(seconds));
        if (lunation < 0) ++before2000;
        // The calendar of the instant is its own JD's.
        const CalendarDateTime expected = CalendarFromJulianDay(r.jd);
        EXPECT_EQ(r.ut.day, expected.day);
        EXPECT_EQ(r.ut.minute, expected.minute);
    }
    EXPECT_GT(before2000, 50);
    std::printf("phases: largest difference from PyEphem %.1f s over %zu phases\n", worst, table->rows.size());
}

}  // namespace
}  // namespace vsp
