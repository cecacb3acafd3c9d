#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shell/PreferenceStart.h"
#include "shell/PreferenceStore.h"
#include "support/TempHome.h"

namespace vsp {
namespace {

TEST(PreferenceDefaults, FreshBlockHoldsTheStartValues) {
    Preferences p;
    p.site.latitude = 12.0f;
    p.scopeDrive = 7;
    ResetPreferences(p);

    EXPECT_EQ(p.site.name, "None");
    EXPECT_FLOAT_EQ(p.site.latitude, 51.0f);
    EXPECT_FLOAT_EQ(p.site.longitude, 0.0f);
    EXPECT_FLOAT_EQ(p.site.temperature, 10.0f);
    EXPECT_FLOAT_EQ(p.site.pressure, 1013.0f);
    EXPECT_FLOAT_EQ(p.site.humidity, 40.0f);
    EXPECT_EQ(p.startForm, 1950);
    EXPECT_EQ(p.scopeDrive, 0);
    EXPECT_EQ(p.alignMethod, 1);
    EXPECT_EQ(p.raFormat, 2);
    EXPECT_EQ(p.decFormat, 2);
    EXPECT_FLOAT_EQ(p.deltaT, 66.184f);
    EXPECT_EQ(p.userCatalogFile, "vespertar_user_catalog.pdb");
    EXPECT_EQ(p.savedDateTime, SavedDateTime{});
}

TEST(PreferenceDefaults, DownloadAddressesAreFullAddressesWithTheKnownPaths) {
    const Preferences p;
    const std::pair<const std::string*, const char*> expected[] = {
        {&p.cometUrl, "/iau/Ephemerides/Comets/Soft00Cmt.txt"},
        {&p.asteroidUrl, "/iau/Ephemerides/Bright/2010/Soft00Bright.txt"},
        {&p.iridiumUrl, "/NORAD/elements/iridium.txt"},
        {&p.satelliteUrl, "/NORAD/elements/visual.txt"},
        {&p.downloadDataUrl, "/data"},
    };
    for (const auto& [url, path] : expected) {
        SCOPED_TRACE(*url);
        EXPECT_EQ(url->rfind("https://", 0), 0u);
        EXPECT_LE(url->size(), 128u);
        const std::string suffix(path);
        ASSERT_GE(url->size(), suffix.size());
        EXPECT_EQ(url->substr(url->size() - suffix.size()), suffix);
        // The path follows the host directly.
        EXPECT_EQ(url->find('/', 8), url->size() - suffix.size());
    }
}

TEST(PreferenceDefaults, PassTheirOwnRangeCheck) {
    Preferences p;
    EXPECT_EQ(CheckPreferenceRanges(p), 0);
    EXPECT_EQ(p, Preferences{});
}

// Each bound is valid; just past it the check puts the value the start routine names.
TEST(PreferenceRangeCheck, CurrentSiteBoundsAndReplacements) {
    struct Case {
        const char* what;
        void (*set)(Site&, double);
        double (*get)(const Site&);
        double value, expected;
    };
    auto setLat = [](Site& s, double v) { s.latitude = float(v); };
    auto getLat = [](const Site& s) { return double(s.latitude); };
    auto setLon = [](Site& s, double v) { s.longitude = float(v); };
    auto getLon = [](const Site& s) { return double(s.longitude); };
    auto setElev = [](Site& s, double v) { s.elevation = int32_t(v); };
    auto getElev = [](const Site& s) { return double(s.elevation); };
    auto setTz = [](Site& s, double v) { s.tzOffset = int16_t(v); };
    auto getTz = [](const Site& s) { return double(s.tzOffset); };
    auto setDst = [](Site& s, double v) { s.daylight = int16_t(v); };
    auto getDst = [](const Site& s) { return double(s.daylight); };
    const Case cases[] = {
        {"latitude 95", setLat, getLat, 95, -90},     {"latitude 90", setLat, getLat, 90, 90},
        {"latitude -90", setLat, getLat, -90, -90},   {"latitude -90.5", setLat, getLat, -90.5, -90},
        {"latitude 45.5", setLat, getLat, 45.5, 45.5},
        {"longitude 180", setLon, getLon, 180, 180},  {"longitude -180", setLon, getLon, -180, -180},
        {"longitude 181", setLon, getLon, 181, -180}, {"longitude -200", setLon, getLon, -200, -180},
        {"elevation 9000", setElev, getElev, 9000, 9000},
        {"elevation 9001", setElev, getElev, 9001, 0}, {"elevation -1", setElev, getElev, -1, 0},
        {"offset 800", setTz, getTz, 800, -720},      {"offset 720", setTz, getTz, 720, 720},
        {"offset -720", setTz, getTz, -720, -720},    {"offset 721", setTz, getTz, 721, -720},
        {"offset -721", setTz, getTz, -721, -720},    {"offset 330", setTz, getTz, 330, 330},
        {"daylight 1", setDst, getDst, 1, 1},         {"daylight 2", setDst, getDst, 2, 0},
        {"daylight -1", setDst, getDst, -1, 0},
    };
    for (int siteIndex = -1; siteIndex < kStoredSiteCount; ++siteIndex) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " site " + std::to_string(siteIndex));
            Preferences p;
            Site& site = siteIndex < 0 ? p.site : p.storedSites[size_t(siteIndex)];
            c.set(site, c.value);
            const int replaced = CheckPreferenceRanges(p);
            EXPECT_DOUBLE_EQ(c.get(site), c.expected);
            EXPECT_EQ(replaced, c.value == c.expected ? 0 : 1);
        }
    }
}

TEST(PreferenceRangeCheck, NotANumberLatitudeIsReplaced) {
    Preferences p;
    p.site.latitude = std::numeric_limits<float>::quiet_NaN();
    p.storedSites[1].pressure = std::numeric_limits<float>::infinity();
    EXPECT_EQ(CheckPreferenceRanges(p), 2);
    EXPECT_FLOAT_EQ(p.site.latitude, -90.0f);
    EXPECT_FLOAT_EQ(p.storedSites[1].pressure, 1013.0f);
}

TEST(PreferenceRangeCheck, ChoicesOutsideTheirRowsTakeTheirDefaults) {
    Preferences p;
    p.scopeDrive = 21;
    p.nightLevel = 4;
    p.timeStep = 18;
    p.raFormat = 4;
    p.alignMethod = -1;
    p.vision = 11;
    p.zoomStarLimit[0] = 1;   // the 180° star limit has the one row "<5"
    p.zoomObjectLimit[9] = 8; // "<10°" objects have rows 0..7
    p.zoomFlip[3] = 4;
    EXPECT_EQ(CheckPreferenceRanges(p), 9);
    EXPECT_EQ(p.scopeDrive, 0);
    EXPECT_EQ(p.nightLevel, 0);
    EXPECT_EQ(p.timeStep, 0);
    EXPECT_EQ(p.raFormat, 2);
    EXPECT_EQ(p.alignMethod, 1);
    EXPECT_EQ(p.vision, Preferences{}.vision);
    EXPECT_EQ(p.zoomStarLimit[0], 0);
    EXPECT_EQ(p.zoomObjectLimit[9], Preferences{}.zoomObjectLimit[9]);
    EXPECT_EQ(p.zoomFlip[3], 0);

    Preferences top;
    top.scopeDrive = 20;
    top.nightLevel = 3;
    top.timeStep = 17;
    top.zoomObjectLimit[9] = 7;
    EXPECT_EQ(CheckPreferenceRanges(top), 0);
    EXPECT_EQ(top.scopeDrive, 20);
    EXPECT_EQ(top.timeStep, 17);
}

TEST(PreferenceRangeCheck, DeltaTMustLieAbove40AndNotAbove200) {
    const std::pair<float, float> cases[] = {
        {40.0f, 66.184f}, {40.01f, 40.01f}, {200.0f, 200.0f}, {200.5f, 66.184f}, {-5.0f, 66.184f}};
    for (const auto& [value, expected] : cases) {
        Preferences p;
        p.deltaT = value;
        CheckPreferenceRanges(p);
        EXPECT_FLOAT_EQ(p.deltaT, expected) << value;
    }
}

TEST(PreferenceRangeCheck, ScopeAndSatelliteRanges) {
    Preferences p;
    p.azSteps = 32128;
    p.altSteps = -32127;
    p.scopePort = 10;
    p.sendDelay = 16;
    p.satMinElevation = 11;
    p.zoomLevelOther = 14;
    p.startForm = 0;
    CheckPreferenceRanges(p);
    EXPECT_EQ(p.azSteps, Preferences{}.azSteps);
    EXPECT_EQ(p.altSteps, -32127);
    EXPECT_EQ(p.scopePort, 0);
    EXPECT_EQ(p.sendDelay, 0);
    EXPECT_EQ(p.satMinElevation, 0);
    EXPECT_EQ(p.zoomLevelOther, Preferences{}.zoomLevelOther);
    EXPECT_EQ(p.startForm, 1950);

    Preferences ok;
    ok.satMinElevation = 10;
    ok.sendDelay = 15;
    EXPECT_EQ(CheckPreferenceRanges(ok), 0);
}

TEST(PreferenceRangeCheck, TextsAndSavedDate) {
    Preferences p;
    p.cometUrl = "";
    p.iridiumUrl = "https://example.org/" + std::string(109, 'a');  // 129 characters
    p.satelliteUrl = "https://example.org/" + std::string(108, 'b');  // exactly 128
    p.userCatalogFile = "../escape.pdb";
    p.site.name = std::string(40, 'x');
    p.savedDateTime = {2024, 0, 5, 21, 30};
    EXPECT_EQ(CheckPreferenceRanges(p), 5);
    EXPECT_EQ(p.cometUrl, Preferences{}.cometUrl);
    EXPECT_EQ(p.iridiumUrl, Preferences{}.iridiumUrl);
    EXPECT_EQ(p.satelliteUrl.size(), 128u);
    EXPECT_EQ(p.userCatalogFile, "vespertar_user_catalog.pdb");
    EXPECT_EQ(p.site.name, std::string(31, 'x'));
    EXPECT_EQ(p.savedDateTime, SavedDateTime{});

    Preferences dated;
    dated.savedDateTime = {2024, 2, 29, 23, 59};
    EXPECT_EQ(CheckPreferenceRanges(dated), 0);
    EXPECT_EQ(dated.savedDateTime.day, 29);
}

// Nothing stored gives fresh defaults; a stored block is range-checked when loaded.
TEST(PreferenceStart, FreshDefaultsAndLoadedBlockAreToldApart) {
    test::TempHome home;
    Preferences p;
    p.site.latitude = 3.0f;
    PreferenceLoadResult fresh = StartPreferences(home.Dir(), p);
    EXPECT_EQ(fresh.status, PreferenceFileStatus::Missing);
    EXPECT_TRUE(fresh.message.empty());
    EXPECT_EQ(p, Preferences{});

    Preferences stored;
    stored.site.latitude = 95.0f;
    stored.site.tzOffset = 800;
    stored.storedSites[2].longitude = 190.0f;
    stored.nightLevel = 2;
    ASSERT_EQ(SavePreferences(home.Dir(), stored), 0);

    Preferences raw;
    ASSERT_EQ(ReadPreferences(home.Dir(), raw).status, PreferenceFileStatus::Loaded);
    EXPECT_FLOAT_EQ(raw.site.latitude, 95.0f);  // reading alone keeps what is stored

    Preferences started;
    const PreferenceLoadResult loaded = StartPreferences(home.Dir(), started);
    EXPECT_EQ(loaded.status, PreferenceFileStatus::Loaded);
    EXPECT_EQ(loaded.replaced, 3);
    EXPECT_FLOAT_EQ(started.site.latitude, -90.0f);
    EXPECT_EQ(started.site.tzOffset, -720);
    EXPECT_FLOAT_EQ(started.storedSites[2].longitude, -180.0f);
    EXPECT_EQ(started.nightLevel, 2);
}

}  // namespace
}  // namespace vsp
