// The planner's criteria on single candidates: the order and bounds of each step, and the
// altitude test against astropy's altitudes of the Messier objects (tests/data/tools, made by
// scripts/fixtures/planner_fixtures.py).

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/EphemerisCsv.h"
#include "tools/PlannerFilter.h"

namespace vsp {
namespace {

constexpr float kEyeLimit = 6.0f;
constexpr double kThresholdBandDeg = 0.2;  // places this near a threshold may go either way

FilterSetup Limits(const SelectionCriteria& criteria, const PlannerSky& sky = {}) {
    ScopeAndSky scope;  // 200 mm f/6, limit 14
    return MakeFilterSetup(criteria, kEyeLimit, scope, sky, 0);
}

Candidate Star(float magnitude) {
    return {.catalog = 42, .type = 16, .magnitude = magnitude};
}

TEST(PlannerFilter, MagnitudeZeroFailsEveryLimitAndNegativePassesEvery) {
    for (int16_t limit = 1; limit < kMagnitudeLimitRows; ++limit) {
        SelectionCriteria criteria;
        criteria.magnitudeLimit = limit;
        const FilterSetup setup = Limits(criteria);
        EXPECT_FALSE(PassesCriteria(criteria, setup, Star(0.0f))) << limit;
        EXPECT_TRUE(PassesCriteria(criteria, setup, Star(-1.5f))) << limit;
    }
    SelectionCriteria criteria;
    criteria.magnitudeLimit = 5;  // "<8"
    EXPECT_TRUE(PassesCriteria(criteria, Limits(criteria), Star(8.0f)));
    EXPECT_FALSE(PassesCriteria(criteria, Limits(criteria), Star(8.1f)));
    criteria.magnitudeLimit = 1;  // the eye's limit of the instant
    EXPECT_TRUE(PassesCriteria(criteria, Limits(criteria), Star(kEyeLimit)));
    EXPECT_FALSE(PassesCriteria(criteria, Limits(criteria), Star(kEyeLimit + 0.1f)));
}

TEST(PlannerFilter, DifficultyBoundsAreInclusive) {
    // A point 4 magnitudes above the telescope's limit has index exactly 2, 3 above 1.5.
    const struct {
        float magnitude;
        std::vector<int16_t> passing;
    } cases[] = {{10.0f, {1, 2}}, {11.0f, {2, 3}}, {13.0f, {4}}, {13.5f, {}}};
    for (const auto& c : cases) {
        for (int16_t level = 1; level <= 4; ++level) {
            SelectionCriteria criteria;
            criteria.difficulty = level;
            const bool expected = std::find(c.passing.begin(), c.passing.end(), level) != c.passing.end();
            EXPECT_EQ(PassesCriteria(criteria, Limits(criteria), Star(c.magnitude)), expected)
                << "magnitude " << c.magnitude << " level " << level;
        }
    }
}

TEST(PlannerFilter, TypeCatalogAndConstellationSteps) {
    // Type 19 ("NEBUL") takes every nebula through its group; the Messier catalog (40) is
    // picked by its source, whatever the members' own catalog.
    const struct {
        int16_t type, catalog, constellation, candidateType, candidateCatalog, candidateConstellation;
        bool passes;
    } cases[] = {{19, 0, 0, 25, 42, 0, true}, {19, 0, 0, 16, 42, 0, false}, {25, 0, 0, 25, 42, 0, true},
                 {25, 0, 0, 20, 42, 0, false}, {0, 29, 0, 16, 42, 0, false}, {0, 40, 0, 16, 42, 0, true},
                 {0, 0, 5, 16, 42, 4, true},   {0, 0, 5, 16, 42, 5, false}};
    for (const auto& c : cases) {
        SelectionCriteria criteria;
        ChooseObjectType(criteria, c.type);
        criteria.catalog = c.catalog;
        criteria.constellation = c.constellation;
        const Candidate candidate{.catalog = c.candidateCatalog, .type = c.candidateType,
                                  .constellation = c.candidateConstellation, .magnitude = 9.0f};
        EXPECT_EQ(PassesCriteria(criteria, Limits(criteria), candidate), c.passes)
            << c.type << " " << c.catalog << " " << c.constellation << " " << c.candidateType;
    }
}

TEST(PlannerFilter, EyepieceWithinSixtyPercentOfTheRecommendedFocalLength) {
    SelectionCriteria criteria;
    criteria.eyepiece = 1;
    // 1.4' across: high power, about a 9 mm eyepiece at f/6; 178' across: the widest pupil, 42 mm.
    const Candidate ring{.catalog = 42, .type = 16, .magnitude = 8.8f, .size1 = 1.4f, .size2 = 1.0f};
    const Candidate galaxy{.catalog = 42, .type = 16, .magnitude = 3.4f, .size1 = 178.0f};
    for (const auto& [focal, ringPasses, galaxyPasses] :
         {std::tuple{9, true, false}, {14, true, false}, {20, false, true}, {40, false, true}}) {
        criteria.eyepieceValue = int16_t(focal);
        EXPECT_EQ(PassesCriteria(criteria, Limits(criteria), ring), ringPasses) << focal;
        EXPECT_EQ(PassesCriteria(criteria, Limits(criteria), galaxy), galaxyPasses) << focal;
    }
    // A point has no recommendation: no eyepiece fits it.
    EXPECT_FALSE(PassesCriteria(criteria, Limits(criteria), Star(5.0f)));
}

TEST(PlannerFilter, AltitudeCriteriaAgreeWithAstropy) {
    const auto table = test::bodies::ReadEphemerisCsv("../tools/messier_altitudes.csv");
    ASSERT_EQ(table->rows.size(), 220u);
    int decided = 0;
    for (const test::bodies::CsvRow& row : table->rows) {
        SCOPED_TRACE("case " + row.Text("case") + " M" + row.Text("messier"));
        CalendarDateTime local;
        std::sscanf((row.Text("date") + " " + row.Text("time")).c_str(), "%d-%d-%d %d:%d", &local.year, &local.month,
                    &local.day, &local.hour, &local.minute);
        const ObserverLocation site{row.Number("latitude"), -row.Number("longitude_east"), 0.0, int(row.Number("tz"))};
        const PlannerSky sky = MakePlannerSky(local, site);
        const Candidate c{.catalog = 42, .type = 16, .raJ2000 = row.Number("ra_hours"),
                          .decJ2000 = row.Number("dec_deg"), .magnitude = 5.0f};
        const double alt = row.Number("alt_deg");
        EXPECT_NEAR(AltitudeDegrees(sky, c.raJ2000, c.decJ2000), alt, 0.03);
        for (const auto& [visibility, threshold] : {std::pair{1, 0}, {5, 30}, {9, 50}}) {
            if (std::fabs(alt - threshold) < kThresholdBandDeg) continue;
            SelectionCriteria criteria;
            criteria.visibility = int16_t(visibility);
            EXPECT_EQ(PassesCriteria(criteria, Limits(criteria, sky), c), alt >= threshold) << threshold;
            ++decided;
            if (threshold != 0) continue;
            criteria.visibility = kVisibilityNotVisible;
            EXPECT_EQ(PassesCriteria(criteria, Limits(criteria, sky), c), alt < 0);
        }
    }
    EXPECT_GT(decided, 600);
}

}  // namespace
}  // namespace vsp
