// The eclipse search: the edge cases of 2009 (the total solar eclipse of July 22, the
// penumbral lunar eclipse of February 9), where a search begins, the list's bounds and rows,
// and every eclipse of 2000-2100 against astronomy-engine.

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ephemeris/Eclipses.h"
#include "ephemeris/LunarPhase.h"
#include "ephemeris/TableDeltaT.h"
#include "support/EphemerisCsv.h"

namespace vsp {
namespace {

using test::bodies::ReadEphemerisCsv;

using test::TableDeltaT;

std::string DateOf(const EclipseEntry& e) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", e.year, e.month, e.day);
    return text;
}

TEST(Eclipse, TotalSolarEclipseOf2009July22) {
    LunarPhaseResult r;
    const int type = LunarPhaseOf(kPhaseNew, 118, kLunarPhaseEclipse, TableDeltaT(), r);
    EXPECT_EQ(type, kEclipseTotal);
    EXPECT_EQ(r.eclipseType, kEclipseTotal);
    EXPECT_LT(std::fabs(r.gamma), 1.0);
    EXPECT_LT(r.u, 0.0);
    EXPECT_NEAR(r.gamma, 0.0698, 0.003);  // astronomy-engine: 0.0698
    EXPECT_EQ(r.ut.year, 2009);
    EXPECT_EQ(r.ut.month, 7);
    EXPECT_EQ(r.ut.day, 22);
    EXPECT_EQ(r.ut.hour, 2);  // greatest eclipse 02:35 UT

    // The same through the counter, from a date of that lunation.
    int32_t lunation = 0;
    EXPECT_EQ(LunarPhase(kPhaseNew, lunation, 2009, 7, 10, kLunarPhaseEclipse, TableDeltaT(), r), kEclipseTotal);
    EXPECT_EQ(lunation, 118);

    // Without the flag the phase is the new moon's instant (02:35 too, but from chapter 49).
    EXPECT_EQ(LunarPhaseOf(kPhaseNew, 118, 0, TableDeltaT(), r), 0);
    EXPECT_EQ(r.eclipseType, kEclipseNone);
    // Quarters never test for an eclipse.
    EXPECT_EQ(LunarPhaseOf(kPhaseFirstQuarter, 118, kLunarPhaseEclipse, TableDeltaT(), r), kEclipseNone);
}

TEST(Eclipse, PenumbralLunarEclipseOf2009February9LastsFromP1ToP4) {
    EclipseList list;
    FindEclipses(list, 2, 2009, 2, 1, TableDeltaT());
    ASSERT_GE(list.count, 2);
    // The annular eclipse of the Sun of January 26 belongs to the same lunation.
    EXPECT_EQ(list.entries[0].kind, kEclipseSolar);
    EXPECT_EQ(list.entries[0].type, kEclipseAnnular);
    EXPECT_EQ(DateOf(list.entries[0]), "2009-01-26");
    const EclipseEntry& e = list.entries[1];
    EXPECT_EQ(e.kind, kEclipseLunar);
    EXPECT_EQ(e.type, kEclipsePenumbral);
    EXPECT_EQ(DateOf(e), "2009-02-09");
    const LunarEclipseDetails& d = list.circumstances[1].lunar;
    EXPECT_FALSE(HasContact(d.u1));
    EXPECT_FALSE(HasContact(d.u2));
    EXPECT_FALSE(HasContact(d.u3));
    EXPECT_FALSE(HasContact(d.u4));
    ASSERT_TRUE(HasContact(d.p1) && HasContact(d.p4));
    EXPECT_LT(d.umbralMagnitude, 0);
    EXPECT_GT(d.penumbralMagnitude, 0.8);  // about 0.9
    EXPECT_NEAR(e.duration, (d.p4 - d.p1) * 86400, 1.0);
    // astronomy-engine: a penumbral semi-duration of 119.6 minutes.
    EXPECT_NEAR(e.duration / 60.0, 2 * 119.6, 6);
    EXPECT_NEAR(d.greatest, list.circumstances[1].jd, 1e-12);
    EXPECT_NEAR(d.penumbralRadius - d.umbralRadius, 1.2848 - 0.7403 + 2 * d.u, 1e-12);
}

TEST(Eclipse, DurationIsTheTotalThenThePartialPhase) {
    EclipseList list;
    FindEclipses(list, 4, 2000, 1, 1, TableDeltaT());
    // 2000-01-21, total: totality about 77 minutes (astronomy-engine 2 x 38.9).
    const EclipseCircumstances& total = list.circumstances[0];
    ASSERT_EQ(list.entries[0].type, kEclipseTotal);
    EXPECT_NEAR(list.entries[0].duration, (total.lunar.u3 - total.lunar.u2) * 86400, 1.0);
    EXPECT_NEAR(list.entries[0].duration / 60.0, 77.8, 3);
    EXPECT_LT(total.lunar.p1, total.lunar.u1);
    EXPECT_LT(total.lunar.u1, total.lunar.u2);
    EXPECT_LT(total.lunar.u3, total.lunar.u4);
    EXPECT_LT(total.lunar.u4, total.lunar.p4);

    // 2001-07-05, partial: the umbral phase, about 2h39m (after the total eclipse of the Sun
    // of June 21).
    FindEclipses(list, 2, 2001, 6, 15, TableDeltaT());
    const int partial = 1;
    ASSERT_EQ(list.entries[partial].type, kEclipsePartial);
    EXPECT_EQ(DateOf(list.entries[partial]), "2001-07-05");
    const LunarEclipseDetails& d = list.circumstances[partial].lunar;
    EXPECT_FALSE(HasContact(d.u2));
    EXPECT_NEAR(list.entries[partial].duration, (d.u4 - d.u1) * 86400, 1.0);
}

TEST(Eclipse, ASearchBeginsWithTheLunationNearestTheDate) {
    EclipseList list;
    // The day after the total solar eclipse: its lunation is the nearest, so it comes first,
    // then the penumbral eclipse of the Moon at the following full moon.
    FindEclipses(list, 2, 2009, 7, 23, TableDeltaT());
    ASSERT_GE(list.count, 2);
    EXPECT_EQ(list.entries[0].kind, kEclipseSolar);
    EXPECT_EQ(DateOf(list.entries[0]), "2009-07-22");
    EXPECT_EQ(list.entries[1].kind, kEclipseLunar);
    EXPECT_EQ(DateOf(list.entries[1]), "2009-08-06");

    // The day after the new moon of 2009 December 16 (no eclipse): the partial eclipse of the
    // Moon at the full moon of that lunation comes first.
    FindEclipses(list, 1, 2009, 12, 17, TableDeltaT());
    ASSERT_GE(list.count, 1);
    EXPECT_EQ(list.entries[0].kind, kEclipseLunar);
    EXPECT_EQ(list.entries[0].type, kEclipsePartial);
    EXPECT_EQ(DateOf(list.entries[0]), "2009-12-31");

    // From late 1999 the search runs through lunation 0 without starting again: the total
    // lunar eclipse of 2000 January 21 is listed once.
    FindEclipses(list, 3, 1999, 11, 20, TableDeltaT());
    int january21 = 0;
    for (int i = 0; i < list.count; ++i) january21 += DateOf(list.entries[i]) == "2000-01-21";
    EXPECT_EQ(january21, 1);
}

TEST(Eclipse, TheListStopsAfterTheLunationThatReachesTheCount) {
    EclipseList list;
    for (int wanted : {1, 2, 5, 12, 14, 15}) {
        FindEclipses(list, wanted, 2024, 1, 1, TableDeltaT());
        EXPECT_GE(list.count, wanted);
        EXPECT_LE(list.count, std::min(wanted + 1, kEclipseListCapacity));
        for (int i = 0; i < list.count; ++i) {
            EXPECT_EQ(list.entries[i].selection, -1);
            if (list.entries[i].kind == kEclipseSolar) {
                EXPECT_EQ(list.entries[i].duration, 0);
            }
            if (i > 0) {
                EXPECT_GT(list.circumstances[i].jd, list.circumstances[i - 1].jd + 13);
            }
        }
    }
    // A second search rebuilds the list rather than adding to it.
    FindEclipses(list, 1, 2024, 1, 1, TableDeltaT());
    EXPECT_LE(list.count, 2);
    FindEclipses(list, 0, 2024, 1, 1, TableDeltaT());
    EXPECT_EQ(list.count, 0);
}

TEST(Eclipse, RowsShowDateBodyAndType) {
    EclipseEntry solar;
    solar.kind = kEclipseSolar;
    solar.type = kEclipseTotal;
    solar.year = 2009;
    solar.month = 7;
    solar.day = 22;
    EclipseRowText row = EclipseRow(solar);
    EXPECT_EQ(row.date, "2009/07/22 Sun");
    EXPECT_EQ(row.type, "Total");
    EXPECT_EQ(row.picture, 4076);

    EclipseEntry lunar = solar;
    lunar.kind = kEclipseLunar;
    lunar.type = kEclipsePenumbral;
    lunar.month = 2;
    lunar.day = 9;
    row = EclipseRow(lunar);
    EXPECT_EQ(row.date, "2009/02/09 Moon");
    EXPECT_EQ(row.type, "Penumbral");
    EXPECT_EQ(row.picture, 4077);

    lunar.kind = 2;
    row = EclipseRow(lunar);
    EXPECT_EQ(row.date, "Unknown event");
    EXPECT_EQ(row.type, "");

    EXPECT_STREQ(EclipseTypeName(kEclipseAnnular), "Annular");
    EXPECT_STREQ(EclipseTypeName(kEclipsePartial), "Partial");
    EXPECT_STREQ(EclipseTypeName(kEclipseNone), "");
    EXPECT_STREQ(EclipseTypeName(5), "");
}

bool SameType(const test::bodies::CsvRow& row, const EclipseEntry& e) {
    const std::string kind = row.Text("ae_kind");
    const std::string name = EclipseTypeName(int(e.type));
    if (row.Text("hybrid") == "1") return name == "Total" || name == "Annular";
    return name.size() == kind.size() && std::equal(name.begin() + 1, name.end(), kind.begin() + 1) &&
           std::tolower(name[0]) == kind[0];
}

TEST(Eclipse, EveryEclipseOf2000To2100AsAstronomyEngineFindsIt) {
    const auto table = ReadEphemerisCsv("../moon/eclipses.csv");
    const std::vector<FoundEclipse> ours = CollectEclipses(470, 2000, 1, 1, TableDeltaT());
    std::vector<bool> matched(ours.size(), false);
    int compared = 0, agreeing = 0, durations = 0, closeDurations = 0;
    double worstMinutes = 0;
    for (const auto& row : table->rows) {
        if (row.Text("peak_ut") >= "2101") continue;
        ++compared;
        const double jd = row.Number("peak_ut_jd");
        const bool solar = row.Text("kind") == "solar";
        size_t found = ours.size();
        for (size_t i = 0; i < ours.size(); ++i) {
            if ((ours[i].entry.kind == kEclipseSolar) == solar && std::fabs(ours[i].circumstances.jd - jd) < 1) found = i;
        }
        if (found == ours.size()) {
            ADD_FAILURE() << "not found: " << row.Text("kind") << " " << row.Text("peak_ut");
            continue;
        }
        matched[found] = true;
        const FoundEclipse& e = ours[found];
        const double minutes = std::fabs(e.circumstances.jd - jd) * 1440;
        EXPECT_LT(minutes, 5) << row.Text("peak_ut");
        worstMinutes = std::fmax(worstMinutes, minutes);
        if (SameType(row, e.entry)) {
            ++agreeing;
            if (!solar) {
                // Same phase timed by both: the total, partial or penumbral one.
                const char* column = e.entry.type == kEclipseTotal     ? "sd_total_min"
                                     : e.entry.type == kEclipsePartial ? "sd_partial_min"
                                                                       : "sd_penum_min";
                // Grazing eclipses differ by more (the root of a small number), so most, not all.
                const double difference = std::fabs(e.entry.duration / 60.0 - 2 * row.Number(column));
                ++durations;
                closeDurations += difference < 10;
            }
        } else {
            std::printf("type differs: %s %s, astronomy-engine %s, ours %s\n", row.Text("kind").c_str(),
                        row.Text("peak_ut").c_str(), row.Text("ae_kind").c_str(), EclipseTypeName(int(e.entry.type)));
        }
    }
    EXPECT_GE(compared, 450);
    EXPECT_GE(agreeing, 0.98 * compared);
    EXPECT_GE(closeDurations, 0.95 * durations);
    // What astronomy-engine does not list are Moons that pass just outside the penumbra
    // (penumbral magnitude below 0), which the type rule still counts.
    int nearMisses = 0;
    for (size_t i = 0; i < ours.size(); ++i) {
        if (matched[i] || ours[i].circumstances.jd > 2488434.5) continue;  // 2101-01-01
        EXPECT_EQ(ours[i].entry.kind, kEclipseLunar);
        EXPECT_LT(ours[i].circumstances.lunar.penumbralMagnitude, 0) << DateOf(ours[i].entry);
        ++nearMisses;
    }
    std::printf("eclipses: %d compared, %d of the same type (%.1f%%), greatest eclipse within %.2f min, "
                "%d of %d lunar durations within 10 min, %d near misses listed\n",
                compared, agreeing, 100.0 * agreeing / compared, worstMinutes, closeDurations, durations, nearMisses);
}

}  // namespace
}  // namespace vsp
