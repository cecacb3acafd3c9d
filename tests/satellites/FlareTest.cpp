// Flares: the magnitude rule, the staged minimisation and its thresholds, and a search over
// Iridium element sets against the mirror model recomputed with skyfield and ERFA.

#include <cmath>

#include <gtest/gtest.h>

#include "SearchFixtures.h"
#include "satellites/Flare.h"
#include "satellites/SatelliteSearches.h"

namespace vsp {
namespace {

TEST(Flare, MagnitudeFromTheAngle) {
    const std::pair<double, int> cases[] = {{0.01, -8}, {0.047, -8}, {0.2, -5}, {1.0, -2}, {10.0, 2}};
    for (const auto& [angle, magnitude] : cases) EXPECT_EQ(FlareMagnitude(angle), magnitude) << angle;
}

TEST(Flare, StagedMinimisationAndThresholds) {
    const double rise = 2456919.5;
    const double deg = std::numbers::pi / 180.0;
    // The best mirror's angle falls linearly to `best` degrees five minutes after the rise.
    const auto angleWithMinimum = [&](double best) {
        return [=](double jd) { return (best + 20.0 * std::fabs(jd - rise - 5.0 / 1440.0) * 1440.0) * deg; };
    };
    FlareInstant flare;
    ASSERT_TRUE(FindFlare(angleWithMinimum(1.2), rise, false, flare));
    EXPECT_NEAR((flare.jdUt - rise) * 1440.0, 5.0, 0.5 / 60.0);
    EXPECT_NEAR(flare.angleDeg, 1.2, 0.2);
    EXPECT_FALSE(FindFlare(angleWithMinimum(1.2), rise, true, flare));
    ASSERT_TRUE(FindFlare(angleWithMinimum(0.9), rise, true, flare));
    EXPECT_NEAR((flare.jdUt - rise) * 86400.0, 300.0, 0.05);
    EXPECT_FALSE(FindFlare(angleWithMinimum(1.6), rise, false, flare));
}

// Every flare found is one of the model's minima at night, and as many are found as the model
// has clearly within the limits (night, sunlit, above the lowest minimum, under 1.3 degrees):
// searching every satellite at once, and each on its own over its passes of the same days.
void ExpectTheModelsFlares(const std::vector<SatelliteSearchResult>& found) {
    const auto reference = test::bodies::ReadEphemerisCsv("../satellites/flares.csv");  // the rows read through it
    const auto& rows = reference->rows;
    const auto clear = std::count_if(rows.begin(), rows.end(), [](const auto& row) {
        return row.Number("sun_alt_deg") < -1.5 && row.Number("eclipsed") == 0 &&
               row.Number("alt_deg") > FlareMinimumElevation(0) + 0.5 && row.Number("angle_deg") < 1.3;
    });
    EXPECT_EQ(found.size(), size_t(clear));
    for (const auto& flare : found) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& row) {
            return flare.satelliteIndex == row.Number("index") && row.Number("sun_alt_deg") < 0.0 &&
                   std::fabs(flare.flareTime - row.Number("jd_ut")) * 86400.0 < 3.0;
        });
        ASSERT_NE(row, rows.end()) << flare.name << " " << flare.flareTime;
        EXPECT_NEAR(flare.flareAngleDeg, row->Number("angle_deg"), 0.1);
    }
}

TEST(Flare, SearchMatchesTheMirrorModel) {
    std::vector<SatelliteRecord> records = test::SharedElementSets("iridium-2014-09-18.tle");
    const SatelliteSource source{20, [&](int i, SatelliteRecord& r) { r = records[size_t(i)]; return true; }};
    SearchProgress progress;
    SatelliteSearchSettings settings = test::ParisSearch(2456919.0 /* 2014-09-18 12h UT */);
    ExpectTheModelsFlares(SearchAllSatellites(AllSatelliteSearch::Flares, source, settings, progress));

    settings.flaresOfOne = true;
    settings.passSearchDays = 8.0;
    std::vector<SatelliteSearchResult> eachOnItsOwn;
    RecordingInfoSink messages;
    for (int i = 0; i < source.count; ++i) {
        const auto own = SearchPasses(records[size_t(i)], i, settings, progress, messages);
        eachOnItsOwn.insert(eachOnItsOwn.end(), own.begin(), own.end());
    }
    ExpectTheModelsFlares(eachOnItsOwn);
}

}  // namespace
}  // namespace vsp
