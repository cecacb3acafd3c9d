#include "ShellFixture.h"
#include "shell/Scale.h"
#include "shell/Startup.h"

namespace vsp::test {
namespace {

class StartupTest : public ShellTest {
protected:
    explicit StartupTest(const DeviceCaps& caps = DeviceCaps{}) : ShellTest(caps) {
        SetSite(48.0f, -2.0f);
        using Hook = std::function<void(AppState&)> ShellHooks::*;
        const std::pair<Hook, const char*> hooks[] = {
            {&ShellHooks::setDownloadDefaults, "downloadDefaults"}, {&ShellHooks::initEphemeris, "initEphemeris"},
            {&ShellHooks::openCatalogs, "openCatalogs"},     {&ShellHooks::loadLastList, "loadLastList"},
            {&ShellHooks::saveLastList, "saveLastList"},     {&ShellHooks::releaseSubsystemBuffers, "releaseBuffers"},
            {&ShellHooks::closeCatalogs, "closeCatalogs"},   {&ShellHooks::releaseGraphics, "releaseGraphics"}};
        for (const auto& [hook, name] : hooks) state.hooks.*hook = [this, name](AppState&) { order.push_back(name); };
        state.services.localClock = [] { return CalendarDateTime{2025, 3, 14, 21, 5, 42}; };
    }
    std::vector<std::string> order;
};

TEST_F(StartupTest, StartsInOrderAndOpensHome) {
    state.services.acquireInstance = [this] { return order.push_back("instance"), InstanceResult::Acquired; };
    state.services.startPowerWatcher = [this] {
        return order.push_back("powerWatcher after " + windows.Log().back().substr(0, 16)), true;
    };
    prefs.nightLevel = 3;
    ASSERT_EQ(StartApplication(state), StartResult::Started);
    EXPECT_EQ(order, (std::vector<std::string>{"instance", "powerWatcher after CreateMainWindow",
                                               "downloadDefaults", "initEphemeris", "openCatalogs",
                                               "loadLastList"}));
    EXPECT_EQ(std::pair(state.nightLevel, state.observingTime), std::pair(3, CalendarDateTime{2025, 3, 14, 21, 5, 42}));
    Pump();
    EXPECT_EQ(OpenFormId(), 1950);
    EXPECT_TRUE(windows.Boxes().Shown().empty());
}

TEST_F(StartupTest, SecondCopyOrWindowFailureEndsTheStart) {
    state.services.acquireInstance = [] { return InstanceResult::AnotherRunning; };
    EXPECT_EQ(StartApplication(state), StartResult::AnotherRunning);
    EXPECT_TRUE(windows.Log().empty());

    state.services.acquireInstance = nullptr;
    windows.SetFailMainWindowCreation(true);
    bool watcherStarted = false;
    state.services.startPowerWatcher = [&] { return watcherStarted = true; };
    EXPECT_EQ(RunApplication(state), 1);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Can't Create window\n"}));
    EXPECT_FALSE(watcherStarted);
    EXPECT_TRUE(order.empty());
}

class AllocationFailureTest : public StartupTest,
                              public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(AllocationFailureTest, StopsInitialisationAtThatStep) {
    const auto [buffer, message] = GetParam();
    state.services.failAllocation = [&](std::string_view name) { return name == buffer; };
    prefs.nightLevel = 1;
    ASSERT_EQ(StartApplication(state), StartResult::Started);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{std::string(message) + "\n"}));
    // Nothing after the failed step ran: no clock, no night mode, no catalogs, no list.
    EXPECT_EQ(order, (std::vector<std::string>{"downloadDefaults"}));
    EXPECT_EQ(std::pair(state.nightLevel, state.observingTime), std::pair(0, CalendarDateTime{}));
    EXPECT_EQ(state.buffers.alignStars.empty(), std::string(buffer) != "objListNamePtr");
    Pump();  // the program keeps running: home still opens
    EXPECT_EQ(OpenFormId(), 1950);
}

INSTANTIATE_TEST_SUITE_P(
    FirstMiddleLast, AllocationFailureTest,
    ::testing::Values(std::pair{"txtBuffer", "Can't allocate txtBuffer"},
                      std::pair{"catalogList", "Can't allocate memory during initialization for catalogList"},
                      std::pair{"objListNamePtr", "Can't allocate memory objListNamePtr"}));

TEST_F(StartupTest, SavedDateTimeIsUsedOnlyWhole) {
    prefs.savedDateTime = SavedDateTime{2024, 12, 31, 23, 59};
    CreateMainWindow();
    InitApplicationData(state);
    EXPECT_EQ(state.observingTime, (CalendarDateTime{2024, 12, 31, 23, 59, 0}));
    EXPECT_EQ(state.listHeaderTime, state.observingTime);
    prefs.savedDateTime.year = 0;
    InitApplicationData(state);
    EXPECT_EQ(state.observingTime, (CalendarDateTime{2025, 3, 14, 21, 5, 42}));
}

TEST_F(StartupTest, NoLocationSendsTheUserToLocationFirstButOneZeroCoordinateIsALocation) {
    SetSite(0, 0);
    prefs.startForm = 1800;
    ASSERT_EQ(StartApplication(state), StartResult::Started);
    EXPECT_EQ(std::pair(state.locationNeeded, prefs.startForm), std::pair(true, 1950));
    Pump();
    EXPECT_EQ(OpenFormId(), 1200);
    EXPECT_EQ(order.back(), "openCatalogs");  // no list loaded
    prefs.site.longitude = 78.5f;  // on the equator
    order.clear();
    InitApplicationData(state);
    EXPECT_EQ(order.back(), "loadLastList");
}

TEST_F(StartupTest, ASecondCopysRequestBringsTheWindowForward) {
    int polls = 0;
    state.services.takeRaiseRequest = [&] { return ++polls == 2; };
    ASSERT_EQ(StartApplication(state), StartResult::Started);
    loop.RunUntil(handler, clock.NowMs() + 1600);  // polled at 500, 1000 and 1500 ms
    EXPECT_EQ(std::pair(polls, windows.RaiseCount()), std::pair(3, 1));
}

class Startup192Test : public StartupTest {
protected:
    Startup192Test() : StartupTest(DeviceCaps::ForDpi(192)) {}
};

TEST_F(Startup192Test, ScaleFactorsAt192Dpi) {
    StartApplication(state);
    EXPECT_EQ(std::tuple(state.scaleX, state.scaleY, PixelUnit(state)), std::tuple(2.0, 2.0, 4));
    Pump();
    EXPECT_EQ(state.currentFormWindow->Bounds(), (Rect{0, 0, 480, 640 - 52}));
}

TEST_F(StartupTest, ShutdownStopsThePowerWatcherFirstAndRestoresTheDay) {
    state.services.stopPowerWatcher = [&] { order.push_back("stopWatcher"); };
    auto colours = [&] { return windows.SystemColours().Get(4) == 15u ? " night" : " day"; };
    state.hooks.saveLastList = [&](AppState&) { order.push_back(std::string("saveLastList") + colours()); };
    state.hooks.releaseSubsystemBuffers = [&](AppState&) { order.push_back(std::string("release") + colours()); };
    prefs.nightLevel = 1;
    const SystemColourArray dayColours = windows.SystemColours().Values();
    ASSERT_EQ(StartApplication(state), StartResult::Started);
    Pump();
    state.observingTime = CalendarDateTime{2026, 1, 2, 3, 4, 5};
    order.clear();
    windows.ClearLog();

    loop.PostCommand(1035);
    EXPECT_EQ(loop.Run(handler), 0);
    EXPECT_EQ(order, (std::vector<std::string>{"stopWatcher", "saveLastList night", "release day", "closeCatalogs",
                                               "releaseGraphics"}));
    EXPECT_EQ(std::pair(windows.SystemColours().Values(), prefs.savedDateTime),
              std::pair(dayColours, SavedDateTime{2026, 1, 2, 3, 4}));
    EXPECT_TRUE(state.buffers.starBuffer.empty());
    EXPECT_EQ(std::vector(windows.Log().begin(), windows.Log().begin() + 2),
              (std::vector<std::string>{"SetMainWindowRect 240x320", "SetFullScreen 0"}));
    EXPECT_FALSE(windows.HasMainWindow());
}

}  // namespace
}  // namespace vsp::test
