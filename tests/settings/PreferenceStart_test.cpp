#include <gtest/gtest.h>

#include <limits>

#include "settings/PreferenceStart.h"
#include "settings/PreferenceStore.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

const PreferenceTable kTable = StandardPreferenceTable();

// Each bound is valid; just past it the check puts the value the start routine names, on the
// current site and on every stored one.
template <class T>
void ExpectSiteValue(T Site::*field, std::initializer_list<std::pair<double, double>> cases) {
    for (const auto& [value, expected] : cases) {
        for (int i = -1; i < kStoredSiteCount; ++i) {
            Preferences p;
            Site& site = i < 0 ? p.site : p.storedSites[size_t(i)];
            site.*field = T(value);
            EXPECT_EQ(CheckPreferenceRanges(kTable, p), value == expected ? 0 : 1) << value << " site " << i;
            EXPECT_DOUBLE_EQ(double(site.*field), expected) << value << " site " << i;
        }
    }
}

TEST(PreferenceRangeCheck, SiteBoundsAndReplacements) {
    ExpectSiteValue(&Site::latitude, {{95, -90}, {90, 90}, {-90.5, -90}, {45.5, 45.5}});
    ExpectSiteValue(&Site::longitude, {{180, 180}, {181, -180}, {-200, -180}});
    ExpectSiteValue(&Site::elevation, {{9000, 9000}, {9001, 0}, {-1, 0}});
    ExpectSiteValue(&Site::tzOffset, {{720, 720}, {800, -720}, {-721, -720}});
    ExpectSiteValue(&Site::daylight, {{1, 1}, {2, 0}, {-1, 0}});
    Preferences p;
    p.site.latitude = std::numeric_limits<float>::quiet_NaN();
    p.storedSites[1].pressure = std::numeric_limits<float>::infinity();
    EXPECT_EQ(CheckPreferenceRanges(kTable, p), 2);
    EXPECT_EQ(std::pair(p.site.latitude, p.storedSites[1].pressure), std::pair(-90.0f, 1013.0f));
}

TEST(PreferenceRangeCheck, ChoicesNumbersAndDeltaT) {
    Preferences p;  // each just past its range falls back to its default
    p.timeStep = 18, p.raFormat = 4, p.azSteps = 32128, p.satMinElevation = 11;
    p.zoomStarLimit[0] = 1;    // the 180° star limit has the one row "<5"
    p.zoomObjectLimit[9] = 8;  // "<10°" objects have rows 0..7
    p.startForm = 0, p.deltaT = 40.0f;
    EXPECT_EQ(CheckPreferenceRanges(kTable, p), 8);
    EXPECT_EQ(p, Preferences{});

    Preferences top;  // the defaults and the last valid value of each
    EXPECT_EQ(CheckPreferenceRanges(kTable, top), 0);
    top.timeStep = 17, top.zoomObjectLimit[9] = 7, top.altSteps = -32127;
    top.satMinElevation = 10, top.deltaT = 200.0f;
    EXPECT_EQ(CheckPreferenceRanges(kTable, top), 0);
    for (float bad : {200.5f, -5.0f}) {
        top.deltaT = bad;
        EXPECT_EQ(CheckPreferenceRanges(kTable, top), 1) << bad;
    }
}

// A saved date that is not whole is dropped whole: the prefs command's tests show it.
TEST(PreferenceRangeCheck, Texts) {
    Preferences p;
    p.cometUrl = "", p.userCatalogFile = "../escape.pdb", p.site.name = std::string(40, 'x');
    p.iridiumUrl = "https://example.org/" + std::string(109, 'a');    // 129 characters
    p.satelliteUrl = "https://example.org/" + std::string(108, 'b');  // exactly 128
    EXPECT_EQ(CheckPreferenceRanges(kTable, p), 4);
    EXPECT_EQ(std::pair(p.cometUrl, p.iridiumUrl), std::pair(Preferences{}.cometUrl, Preferences{}.iridiumUrl));
    EXPECT_EQ(p.satelliteUrl.size(), 128u);
    EXPECT_EQ(p.userCatalogFile, Preferences{}.userCatalogFile);
    EXPECT_EQ(p.site.name, std::string(31, 'x'));  // a long name keeps its beginning
}

// Nothing stored gives fresh defaults; a stored block is range-checked when loaded.
TEST(PreferenceStart, FreshDefaultsOrTheStoredBlockBroughtIntoRange) {
    test::TempHome home;
    Preferences p;
    p.site.latitude = 3.0f;
    EXPECT_EQ(StartPreferences(kTable, home.Dir(), p).status, PreferenceFileStatus::Missing);
    EXPECT_EQ(p, Preferences{});

    Preferences stored;
    stored.site.latitude = 95.0f, stored.storedSites[2].longitude = 190.0f, stored.nightLevel = 2;
    ASSERT_TRUE(SavePreferences(kTable, home.Dir(), stored));
    Preferences raw;
    ASSERT_EQ(ReadPreferences(kTable, home.Dir(), raw).status, PreferenceFileStatus::Loaded);
    EXPECT_FLOAT_EQ(raw.site.latitude, 95.0f);  // reading alone keeps what is stored

    const PreferenceLoadResult loaded = StartPreferences(kTable, home.Dir(), p);
    EXPECT_EQ(loaded.status, PreferenceFileStatus::Loaded);
    EXPECT_EQ(loaded.replaced, 2);
    EXPECT_FLOAT_EQ(p.site.latitude, -90.0f);
    EXPECT_FLOAT_EQ(p.storedSites[2].longitude, -180.0f);
    EXPECT_EQ(p.nightLevel, 2);
}

}  // namespace
}  // namespace vsp
