// The Moon's principal phases and the eclipse search: Meeus's worked example, how a counter of
// 0 picks its lunation, the eclipses of 2009, where a search begins and ends, and against
// PyEphem's phases and astronomy-engine's eclipses (tests/data/moon).

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ephemeris/Eclipses.h"
#include "ephemeris/LunarPhase.h"
#include "ephemeris/TableDeltaT.h"
#include "support/EphemerisCsv.h"

namespace vsp::test::bodies {
namespace {

TEST(LunarPhase, MeeusExampleNewMoonOf1977February) {
    int32_t lunation = 0;
    LunarPhaseResult r;
    EXPECT_EQ(LunarPhase(kPhaseNew, lunation, 1977, 2, 15, 0, TableDeltaT(), r), 0);
    EXPECT_EQ(lunation, -283);
    EXPECT_NEAR(r.jde, 2443192.65118, 1e-5);  // 1977 February 18, 3h37m42s TD, less ΔT (48 s)
    EXPECT_NEAR((r.jde - r.jd) * 86400, DeltaT(1977, 2, 18, TableDeltaT()), 1e-3);
    EXPECT_EQ((std::array{r.ut.year, r.ut.month, r.ut.day, r.ut.hour, r.ut.minute}), (std::array{1977, 2, 18, 3, 36}));
}

TEST(LunarPhase, ACounterOfZeroTakesTheNearestLunationAndKeepsIt) {
    // Early January 2000: lunation 0, the new moon of January 6; later in January the next.
    for (auto [day, expected] : {std::pair{1, 0}, {14, 0}, {25, 1}}) {
        int32_t lunation = 0;
        LunarPhaseResult r;
        LunarPhase(kPhaseNew, lunation, 2000, 1, day, 0, TableDeltaT(), r);
        EXPECT_EQ(lunation, expected) << day;
    }
    // A counter that is set is used as it stands, whatever the date.
    int32_t lunation = 118;
    LunarPhaseResult r;
    LunarPhase(kPhaseFull, lunation, 1950, 6, 1, 0, TableDeltaT(), r);
    EXPECT_EQ((std::array{lunation, r.ut.year, r.ut.month, r.ut.day}), (std::array{118, 2009, 8, 6}));
}

TEST(LunarPhase, DatesBefore2000TakeTheLunationBelow) {
    // 1999 November 20 is 1.39 mean lunations before 2000.0: rounded, lunation -1 (the new
    // moon of December 7), where truncating towards zero would jump to 0 (January 6).
    EXPECT_EQ(LunationFromDate(1999, 11, 20), -1);
    EXPECT_EQ(LunationFromDate(1999, 12, 28), 0);
    EXPECT_EQ(LunationFromDate(1900, 1, 1), -1237);
}

// Measured: 40 s at most.
TEST(LunarPhase, InstantsAgreeWithPyEphemFrom1900To2100) {
    ForEachRow("../moon/phases.csv", {"phase", "ut"}, [](const CsvRow& row) {
        LunarPhaseResult r;
        LunarPhaseOf(row.Number("phase_code"), int32_t(row.Number("lunation")), 0, TableDeltaT(), r);
        EXPECT_NEAR(r.jd, row.Number("ut_jd"), 60.0 / 86400);
    });
}

TEST(Eclipse, TotalSolarEclipseOf2009July22) {
    LunarPhaseResult r;
    EXPECT_EQ(LunarPhaseOf(kPhaseNew, 118, kLunarPhaseEclipse, TableDeltaT(), r), kEclipseTotal);
    EXPECT_NEAR(r.gamma, 0.0698, 0.003);  // astronomy-engine: 0.0696
    EXPECT_EQ((std::array{r.ut.year, r.ut.month, r.ut.day, r.ut.hour}), (std::array{2009, 7, 22, 2}));
    // The same through the counter, from a date of that lunation.
    int32_t lunation = 0;
    EXPECT_EQ(LunarPhase(kPhaseNew, lunation, 2009, 7, 10, kLunarPhaseEclipse, TableDeltaT(), r), kEclipseTotal);
    EXPECT_EQ(lunation, 118);
    // Without the flag no eclipse is looked for.
    EXPECT_EQ(LunarPhaseOf(kPhaseNew, 118, 0, TableDeltaT(), r), 0);
}

TEST(Eclipse, LunarContactsAndDurations) {
    // 2009-02-09, penumbral, after the annular eclipse of the Sun of January 26:
    // astronomy-engine's semi-duration is 119.6 min.
    EclipseList list;
    FindEclipses(list, 2, 2009, 2, 1, TableDeltaT());
    ASSERT_GE(list.count, 2);
    EXPECT_EQ((std::array{list.entries[0].type, list.entries[1].type}), (std::array{double(kEclipseAnnular), double(kEclipsePenumbral)}));
    const LunarEclipseDetails& d = list.circumstances[1].lunar;
    EXPECT_FALSE(HasContact(d.u1) || HasContact(d.u4));
    EXPECT_NEAR(list.entries[1].duration / 60.0, 2 * 119.6, 6);
    // 2000-01-21, total: the duration is totality (astronomy-engine 2 x 38.9 min).
    FindEclipses(list, 1, 2000, 1, 1, TableDeltaT());
    const LunarEclipseDetails& t = list.circumstances[0].lunar;
    ASSERT_EQ(list.entries[0].type, kEclipseTotal);
    EXPECT_NEAR(list.entries[0].duration, (t.u3 - t.u2) * 86400, 1.0);
    EXPECT_NEAR(list.entries[0].duration / 60.0, 77.8, 3);
    EXPECT_TRUE(t.p1 < t.u1 && t.u1 < t.u2 && t.u2 < t.u3 && t.u3 < t.u4 && t.u4 < t.p4);
}

TEST(Eclipse, ASearchBeginsWithTheNearestLunationAndStopsAtTheCount) {
    EclipseList list;
    // The day after the total solar eclipse: its lunation is the nearest, so it comes first.
    FindEclipses(list, 2, 2009, 7, 23, TableDeltaT());
    ASSERT_GE(list.count, 2);
    EXPECT_EQ(EclipseRow(list.entries[0]).date + " " + EclipseRow(list.entries[1]).date, "2009/07/22 Sun 2009/08/06 Moon");
    // The list stops after the lunation that reaches the count, and a search rebuilds it.
    for (int wanted : {1, 5, 15, 0}) {
        FindEclipses(list, wanted, 2024, 1, 1, TableDeltaT());
        EXPECT_GE(list.count, wanted);
        EXPECT_LE(list.count, std::min(wanted + 1, kEclipseListCapacity));
        for (int i = 1; i < list.count; ++i) EXPECT_GT(list.circumstances[i].jd, list.circumstances[i - 1].jd + 13);
    }
}

bool SameType(const CsvRow& row, const EclipseEntry& e) {
    std::string name = EclipseTypeName(int(e.type));
    if (row.Text("hybrid") == "1") return name == "Total" || name == "Annular";
    name[0] = char(std::tolower(name[0]));
    return name == row.Text("ae_kind");
}

// Measured: all 458 found, 457 of the same type (2014-04-29 has gamma within 0.0004 of 1),
// greatest eclipse within 1.37 min.
TEST(Eclipse, EveryEclipseOf2000To2100AsAstronomyEngineFindsIt) {
    const std::vector<FoundEclipse> ours = CollectEclipses(470, 2000, 1, 1, TableDeltaT());
    int compared = 0, agreeing = 0, durations = 0, closeDurations = 0;
    ForEachRow("../moon/eclipses.csv", {"kind", "peak_ut"}, [&](const CsvRow& row) {
        if (row.Text("peak_ut") >= "2101") return;
        ++compared;
        const bool solar = row.Text("kind") == "solar";
        const FoundEclipse* found = nullptr;
        for (const FoundEclipse& e : ours) {
            if ((e.entry.kind == kEclipseSolar) == solar && std::fabs(e.circumstances.jd - row.Number("peak_ut_jd")) < 1) found = &e;
        }
        ASSERT_TRUE(found) << "not found";
        EXPECT_LT(std::fabs(found->circumstances.jd - row.Number("peak_ut_jd")) * 1440, 2);
        if (!SameType(row, found->entry)) return;
        ++agreeing;
        if (solar) return;
        // The same phase timed by both; grazing eclipses differ more (the root of a small number).
        const char* column = found->entry.type == kEclipseTotal     ? "sd_total_min"
                             : found->entry.type == kEclipsePartial ? "sd_partial_min"
                                                                    : "sd_penum_min";
        ++durations;
        closeDurations += std::fabs(found->entry.duration / 60.0 - 2 * row.Number(column)) < 10;
    });
    EXPECT_GE(compared, 450);
    EXPECT_GE(agreeing, compared - 1);
    EXPECT_GE(closeDurations, 0.95 * durations);
}

// Where the shadow axis passes inside the Earth's equatorial radius (|gamma| < 1) the eclipse
// is central, total or annular, even when the axis misses the flattened Earth (astronomy-engine
// then says partial); beyond it, partial.
TEST(Eclipse, CentralAndPartialSolarEclipsesPartAtGammaOne) {
    const std::vector<FoundEclipse> ours = CollectEclipses(460, 1900, 1, 1, TableDeltaT());
    ForEachRow("../moon/eclipses_grazing.csv", {"peak_ut"}, [&](const CsvRow& row) {
        int matches = 0;
        for (const FoundEclipse& e : ours) {
            if (e.entry.kind != kEclipseSolar || std::fabs(e.circumstances.jd - row.Number("peak_ut_jd")) > 1) continue;
            const bool central = e.entry.type == kEclipseTotal || e.entry.type == kEclipseAnnular;
            EXPECT_EQ(central, std::fabs(row.Number("gamma")) < 1) << EclipseTypeName(int(e.entry.type));
            ++matches;
        }
        EXPECT_EQ(matches, 1);
    });
}

}  // namespace
}  // namespace vsp::test::bodies
