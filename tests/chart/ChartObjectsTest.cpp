// The chart's object table: the deep-sky objects of the chart index in a catalog home built from
// the installed packages, against the published place of the Orion Nebula (5h35m17s -5°23'28"
// J2000); the Sun and the planets against PyEphem (tests/data/ephemeris); the Moon's age
// against the published phases of January 2000 (new 6 Jan 18:14 UT, full 21 Jan 04:40 UT).

#include <algorithm>

#include <gtest/gtest.h>

#include "catalog/ObjectIndex.h"
#include "chart/ChartObjects.h"
#include "ephemeris/BodyPosition.h"
#include "support/CatalogHome.h"
#include "support/EphemerisCsv.h"

namespace vsp::test {
namespace {

TEST(ChartObjects, TheIndexGivesEveryObjectWithItsNameTypeAndPlace) {
    const CatalogHome* built = RequireCatalogHome();
    if (!built) return;
    RecordingInfoSink messages;
    CatalogSession session(ProgramDir(built->root), messages);
    ASSERT_TRUE(CatalogSessionOpen(session, messages, {.objectIndexName = kObjectIndex18k}));
    std::vector<ChartObject> table;
    ASSERT_TRUE(LoadDeepSkyObjects(session, messages, table));

    // Every slot but the sentinel record's and the padding of the last record, by declination.
    EXPECT_GT(table.size(), size_t(session.files.objectIndex.RecordCount() - 2) * kObjectIndexEntriesPerRecord);
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end(), [](auto& a, auto& b) { return a.decDeg < b.decDeg; }));
    EXPECT_TRUE(std::none_of(table.begin(), table.end(), [](auto& o) { return o.recordIndex < 0; }));

    auto find = [&](const std::string& label) {
        auto it = std::find_if(table.begin(), table.end(), [&](auto& o) { return ChartLabel(o) == label; });
        return it == table.end() ? ChartObject{} : *it;
    };
    const ChartObject m42 = find("M42");
    EXPECT_EQ(std::tuple(m42.kind, m42.number, m42.displayType, m42.magnitudeTenths), std::tuple(42, 1976, 20, 40));
    EXPECT_LT(SeparationArcsec(m42.raHours, m42.decDeg, 5 + 35 / 60.0 + 17 / 3600.0, -(5 + 23 / 60.0 + 28 / 3600.0)),
              60.0);
    // Caldwell before the catalog; any other object by its catalog designation.
    EXPECT_EQ(std::pair(find("C20").number, find("NGC1999").number), std::pair(7000, 1999));
}

TEST(ChartObjects, SunMoonAndPlanetsAtTheChartInstantAndTheMoonsAge) {
    EphemerisSettings settings;
    settings.deltaT = 60;  // so that the clock 11:59:00 is 12:00:00 TT
    settings.currentYear = 2000;
    std::vector<ChartObject> table(1);
    ASSERT_TRUE(AppendSolarSystem({2000, 1, 1, 11, 59, 0}, settings, table));
    ASSERT_EQ(table.size(), 11u);
    for (int code = 0; code < 10; ++code) {
        const ChartObject& body = table[size_t(code) + 1];
        EXPECT_EQ(std::tuple(body.kind, body.number, body.displayType, body.label),
                  std::tuple(kKindPlanet, code, kTypeSolarSystem, BodyTitleName(code)));
    }
    bodies::ForEachRow("apparent_bodies.csv", {"tt", "body"}, [&](const bodies::CsvRow& row) {
        if (row.Text("tt") != "2000-01-01T12:00:00") return;
        const auto body =
            std::find_if(table.begin() + 1, table.end(), [&](auto& o) { return BodyName(o.number) == row.Text("body"); });
        ASSERT_NE(body, table.end());
        EXPECT_LT(bodies::ArcsecFromRow(body->raHours, body->decDeg, row), 90.0);  // PyEphem's theories differ
        // The radii of the outer planets differ by up to 30% (Pluto); the Sun's magnitude is the program's own.
        const double diameter = row.Number("size_arcsec") / 60;
        EXPECT_NEAR(body->sizeMajor, diameter, 0.3 * diameter);
        if (body->number != kBodySun) { EXPECT_NEAR(body->magnitudeTenths, row.Number("magnitude") * 10, 3); }
    });
    EXPECT_FALSE(AppendSolarSystem({1600, 1, 1, 0, 0, 0}, settings, table));
    EXPECT_EQ(table.size(), 11u);

    EXPECT_EQ(MoonAgeDays({2000, 1, 6, 19, 0, 0}, settings), 0);
    EXPECT_EQ(MoonAgeDays({2000, 1, 21, 4, 40, 0}, settings), 14);
    EXPECT_EQ(MoonAgeDays({2000, 1, 6, 17, 0, 0}, settings), 29);
}

}  // namespace
}  // namespace vsp::test
