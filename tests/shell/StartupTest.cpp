#include <atomic>
#include <chrono>
#include <thread>

#include "ShellFixture.h"
#include "platform/PowerWatcher.h"
#include "shell/FormTable.h"
#include "shell/NightMode.h"
#include "shell/Scale.h"
#include "shell/Startup.h"

namespace vsp::test {
namespace {

class StartupTest : public ShellTest {
protected:
    explicit StartupTest(const DeviceCaps& caps = DeviceCaps{}) : ShellTest(caps) {
        prefs.site.latitude = 48.0f;
        prefs.site.longitude = -2.0f;
        auto record = [this](const char* name) {
            return [this, name](AppState&) { order.push_back(name); };
        };
        state.hooks.setDownloadDefaults = record("downloadDefaults");
        state.hooks.initEphemeris = record("initEphemeris");
        state.hooks.openCatalogs = record("openCatalogs");
        state.hooks.loadLastList = record("loadLastList");
        state.hooks.saveLastList = record("saveLastList");
        state.hooks.releaseSubsystemBuffers = record("releaseBuffers");
        state.hooks.closeCatalogs = record("closeCatalogs");
        state.hooks.releaseGraphics = record("releaseGraphics");
        state.services.localClock = [] { return ObservingTime{2025, 3, 14, 21, 5, 42}; };
    }
    std::vector<std::string> order;
};

TEST_F(StartupTest, StartsInOrderAndOpensHome) {
    state.services.acquireInstance = [this] {
        order.push_back("instance");
        return InstanceResult::Acquired;
    };
    state.services.startPowerWatcher = [this] {
        order.push_back("powerWatcher after " + windows.Log().back().substr(0, 16));
        return true;
    };
    ASSERT_EQ(StartApplication(state), StartResult::Started);
    EXPECT_EQ(order, (std::vector<std::string>{"instance", "powerWatcher after CreateMainWindow",
                                               "downloadDefaults", "initEphemeris", "openCatalogs",
                                               "loadLastList"}));
    EXPECT_EQ(windows.Log()[0], "CreateMainWindow POCKETPC Vespertar");
    EXPECT_EQ(windows.Log()[1], "SetMainWindowRect 240x294");  // less the menu-bar strip
    EXPECT_TRUE(windows.FullScreen());
    EXPECT_EQ(state.currentFormId, 1950);
    Pump();
    EXPECT_EQ(OpenFormId(), 1950);
    EXPECT_EQ(windows.MainWindowRect(), (Rect{0, 0, 240, 320}));
    EXPECT_TRUE(windows.Boxes().Shown().empty());
}

TEST_F(StartupTest, SecondCopyCreatesNothing) {
    state.services.acquireInstance = [] { return InstanceResult::AnotherRunning; };
    EXPECT_EQ(StartApplication(state), StartResult::AnotherRunning);
    EXPECT_TRUE(windows.Log().empty());
    EXPECT_TRUE(order.empty());
}

TEST_F(StartupTest, WindowFailureIsReportedAndEndsTheProgram) {
    windows.SetFailMainWindowCreation(true);
    bool watcherStarted = false;
    state.services.startPowerWatcher = [&] { return watcherStarted = true; };
    EXPECT_EQ(RunApplication(state), 1);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Can't Create window\n"}));
    EXPECT_FALSE(watcherStarted);
    EXPECT_TRUE(order.empty());
}

TEST_F(StartupTest, BuffersAreMadeWithTheirEmptyMarks) {
    CreateMainWindow();
    ASSERT_TRUE(InitApplicationData(state));
    const StartupBuffers& b = state.buffers;
    EXPECT_EQ(b.txtBuffer.size(), 256u);
    EXPECT_EQ(b.brightStars.size(), 72512u);
    ASSERT_EQ(b.starBuffer.size(), 16000u);
    // 20000000 = 0x01312D00 and 30000 = 0x7530, little-endian.
    EXPECT_EQ(std::vector<uint8_t>(b.starBuffer.begin(), b.starBuffer.begin() + 5),
              (std::vector<uint8_t>{0x00, 0x2D, 0x31, 0x01, 0x00}));
    ASSERT_EQ(b.objectBuffer.size(), 21600u);
    EXPECT_EQ(std::vector<uint8_t>(b.objectBuffer.begin(), b.objectBuffer.begin() + 3),
              (std::vector<uint8_t>{0x30, 0x75, 0x00}));
    for (const auto* list : {&b.buttonList, &b.buttonList2, &b.buttonListSave, &b.buttonListTypeSave}) {
        EXPECT_EQ(list->size(), 80u);
    }
    EXPECT_EQ(b.catalogList.size(), 276u);
    EXPECT_EQ(b.catalogList2.size(), 172u);
    EXPECT_EQ(b.alignStars.size(), 2560u);
    EXPECT_EQ(b.dreyerLong.size(), 200u);
    EXPECT_EQ(b.objListNamePtr.size(), 100u);
    EXPECT_EQ(state.pixelUnit, 2);
}

struct AllocationCase {
    const char* buffer;
    const char* message;
};

class AllocationFailureTest : public StartupTest, public ::testing::WithParamInterface<AllocationCase> {};

TEST_P(AllocationFailureTest, StopsInitialisationAtThatStep) {
    const AllocationCase c = GetParam();
    state.services.failAllocation = [&](std::string_view name) { return name == c.buffer; };
    prefs.nightLevel = 1;
    ASSERT_EQ(StartApplication(state), StartResult::Started);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{std::string(c.message) + "\n"}));
    // Nothing after the failed step ran: no clock, no night mode, no catalogs, no list.
    EXPECT_EQ(order, (std::vector<std::string>{"downloadDefaults"}));
    EXPECT_EQ(state.observingTime, ObservingTime{});
    EXPECT_EQ(state.nightLevel, 0);
    EXPECT_TRUE(state.buffers.objListNamePtr.empty());
    // The program keeps running: home still opens.
    Pump();
    EXPECT_EQ(OpenFormId(), 1950);
}

INSTANTIATE_TEST_SUITE_P(
    EveryBuffer, AllocationFailureTest,
    ::testing::Values(
        AllocationCase{"txtBuffer", "Can't allocate txtBuffer"},
        AllocationCase{"brightStars", "Can't allocate memory during initialization for bright stars list"},
        AllocationCase{"starBuffer", "Can't allocate memory during initialization for star buffer"},
        AllocationCase{"objectBuffer", "Can't allocate memory during initialization for object buffer"},
        AllocationCase{"selectionListPtr", "Can't allocate memory selectionListPtr"},
        AllocationCase{"buttonList", "Can't allocate memory during initialization for buttonList"},
        AllocationCase{"buttonList2", "Can't allocate memory during initialization for buttonList"},
        AllocationCase{"buttonListSave", "Can't allocate memory during initialization for buttonListSave"},
        AllocationCase{"buttonListTypeSave",
                       "Can't allocate memory during initialization for buttonListTypeSave"},
        AllocationCase{"catalogList", "Can't allocate memory during initialization for catalogList"},
        AllocationCase{"catalogList2", "Can't allocate memory during initialization for catalogList"},
        AllocationCase{"alignStars", "Can't allocate memory during initialization for alignment stars"},
        AllocationCase{"dreyerLong", "Can't allocate memory dreyerLong"},
        AllocationCase{"objListNamePtr", "Can't allocate memory objListNamePtr"}));

TEST_F(StartupTest, LaterBuffersStayUnmadeAfterAFailure) {
    state.services.failAllocation = [](std::string_view name) { return name == "catalogList"; };
    CreateMainWindow();
    EXPECT_FALSE(InitApplicationData(state));
    EXPECT_EQ(state.buffers.buttonListTypeSave.size(), 80u);
    EXPECT_TRUE(state.buffers.catalogList.empty());
    EXPECT_TRUE(state.buffers.catalogList2.empty());
    EXPECT_TRUE(state.buffers.alignStars.empty());
    EXPECT_TRUE(state.buffers.dreyerLong.empty());
}

TEST_F(StartupTest, ObservingTimeFromSavedValuesHasZeroSeconds) {
    prefs.savedDateTime = SavedDateTime{2024, 12, 31, 23, 59};
    CreateMainWindow();
    InitApplicationData(state);
    EXPECT_EQ(state.observingTime, (ObservingTime{2024, 12, 31, 23, 59, 0}));
    EXPECT_EQ(state.listHeaderTime, (ObservingTime{2024, 12, 31, 23, 59, 0}));
}

TEST_F(StartupTest, ObservingTimeFromTheClockWithoutSavedYear) {
    prefs.savedDateTime = SavedDateTime{0, 12, 31, 23, 59};
    CreateMainWindow();
    InitApplicationData(state);
    EXPECT_EQ(state.observingTime, (ObservingTime{2025, 3, 14, 21, 5, 42}));
}

TEST_F(StartupTest, NoLocationSendsTheUserToLocationFirst) {
    prefs.site.latitude = 0.0f;
    prefs.site.longitude = 0.0f;
    prefs.startForm = 1800;
    ASSERT_EQ(StartApplication(state), StartResult::Started);
    EXPECT_TRUE(state.locationNeeded);
    EXPECT_EQ(prefs.startForm, 1950);
    EXPECT_EQ(state.history[6], 1200);
    EXPECT_EQ(std::count(order.begin(), order.end(), "loadLastList"), 0);
    Pump();
    EXPECT_EQ(OpenFormId(), 1950);
}

TEST_F(StartupTest, OneCoordinateZeroIsALocation) {
    prefs.site.latitude = 0.0f;  // on the equator
    prefs.site.longitude = 78.5f;
    prefs.startForm = 0;
    CreateMainWindow();
    InitApplicationData(state);
    EXPECT_FALSE(state.locationNeeded);
    EXPECT_EQ(prefs.startForm, 1950);
    EXPECT_EQ(order.back(), "loadLastList");
}

TEST_F(StartupTest, ASecondCopysRequestBringsTheWindowForward) {
    int polls = 0;
    state.services.takeRaiseRequest = [&] { return ++polls == 2; };
    ASSERT_EQ(StartApplication(state), StartResult::Started);
    loop.RunUntil(handler, clock.NowMs() + 1600);  // polled at 500, 1000 and 1500 ms
    EXPECT_EQ(polls, 3);
    EXPECT_EQ(windows.RaiseCount(), 1);
    loop.PostRaise();
    Pump();
    EXPECT_EQ(windows.RaiseCount(), 2);
}

TEST_F(StartupTest, StoredNightLevelIsAppliedAtStart) {
    prefs.nightLevel = 3;
    StartApplication(state);
    EXPECT_EQ(state.nightLevel, 3);
    EXPECT_EQ(windows.SystemColours().Get(4), 25u);
    EXPECT_EQ(state.display.foregroundPen, 204u);
}

TEST_F(StartupTest, ScaleFactorsAt96Dpi) {
    EXPECT_EQ(state.pixelUnit, -1);
    StartApplication(state);
    EXPECT_DOUBLE_EQ(state.scaleX, 1.0);
    EXPECT_DOUBLE_EQ(state.scaleY, 1.0);
    EXPECT_EQ(state.pixelUnit, 2);
}

class Startup192Test : public StartupTest {
protected:
    Startup192Test() : StartupTest(DeviceCaps::ForDpi(192)) {}
};

TEST_F(Startup192Test, ScaleFactorsAt192Dpi) {
    StartApplication(state);
    EXPECT_DOUBLE_EQ(state.scaleX, 2.0);
    EXPECT_DOUBLE_EQ(state.scaleY, 2.0);
    EXPECT_EQ(PixelUnit(state), 4);
    EXPECT_EQ(ScaledY(state, 22), 44);
    Pump();
    EXPECT_EQ(state.currentFormWindow->Bounds(), (Rect{0, 0, 480, 640 - 52}));
}

// Reports one suspend as soon as the watcher looks a second time.
class OneResume : public ResumeDetector {
public:
    int64_t SuspendedMs() override { return looks_++ == 0 ? 0 : 60000; }
    int PollPeriodMs() const override { return 2; }

private:
    int looks_ = 0;
};

TEST_F(StartupTest, ShutdownJoinsThePowerWatcherBeforeAnythingElse) {
    std::atomic<int> resumes{0};
    PowerWatcher watcher(
        [&] {
            loop.PostCommand(9901);
            ++resumes;
        },
        std::make_unique<OneResume>());
    state.services.startPowerWatcher = [&] { return watcher.Start(); };
    state.services.stopPowerWatcher = [&] {
        order.push_back("stop");
        watcher.Stop();
        order.push_back(watcher.Running() ? "still running" : "joined");
    };
    state.hooks.saveLastList = [&](AppState&) {
        order.push_back(watcher.Running() ? "save while running" : "saveLastList");
        order.push_back(windows.SystemColours().Get(4) == 15u ? "night" : "day");
    };
    state.hooks.releaseSubsystemBuffers = [&](AppState&) {
        order.push_back(windows.SystemColours().Get(4) == 15u ? "night" : "day");
        order.push_back("releaseBuffers");
    };
    prefs.nightLevel = 1;
    const SystemColourArray dayColours = windows.SystemColours().Values();
    ASSERT_EQ(StartApplication(state), StartResult::Started);
    ASSERT_TRUE(watcher.Running());
    for (int i = 0; i < 5000 && resumes == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_GT(resumes.load(), 0);
    Pump();  // the resume command is taken with no action
    EXPECT_EQ(OpenFormId(), 1950);
    state.observingTime = ObservingTime{2026, 1, 2, 3, 4, 5};
    order.clear();
    windows.ClearLog();

    loop.PostCommand(1035);
    EXPECT_EQ(loop.Run(handler), 0);
    EXPECT_EQ(order, (std::vector<std::string>{"stop", "joined", "saveLastList", "night", "day",
                                               "releaseBuffers", "closeCatalogs", "releaseGraphics"}));
    EXPECT_EQ(windows.SystemColours().Values(), dayColours);
    EXPECT_EQ(prefs.savedDateTime.year, 2026);
    EXPECT_EQ(prefs.savedDateTime.minute, 4);
    EXPECT_TRUE(state.buffers.starBuffer.empty());
    const auto& log = windows.Log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "SetMainWindowRect 240x320");
    EXPECT_EQ(log[1], "SetFullScreen 0");
    EXPECT_FALSE(windows.HasMainWindow());
}

}  // namespace
}  // namespace vsp::test
