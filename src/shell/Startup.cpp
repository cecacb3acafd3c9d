#include "shell/Startup.h"

#include <new>

#include "platform/Clock.h"
#include "shell/FormHistory.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/NightMode.h"
#include "shell/Scale.h"

namespace vsp {

namespace {

void RunHook(AppState& state, const std::function<void(AppState&)>& hook) {
    if (hook) hook(state);
}

// Makes a zeroed buffer; on failure shows `message` and answers false.
bool Injected(AppState& state, std::string_view name) {
    return state.services.failAllocation && state.services.failAllocation(name);
}

bool Allocate(AppState& state, std::string_view name, std::vector<uint8_t>& buffer, size_t size,
              std::string_view message) {
    bool failed = Injected(state, name);
    if (!failed) {
        try {
            buffer.assign(size, 0);
        } catch (const std::bad_alloc&) {
            failed = true;
        }
    }
    if (failed) {
        buffer.clear();
        InfoBox(state, message, "");
        return false;
    }
    return true;
}

void PutU32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[size_t(i)] = uint8_t(v >> (8 * i));
}

void PutU16(std::vector<uint8_t>& b, uint16_t v) {
    b[0] = uint8_t(v);
    b[1] = uint8_t(v >> 8);
}

constexpr std::string_view kInitPrefix = "Can't allocate memory during initialization for ";

std::string InitMessage(std::string_view what) { return std::string(kInitPrefix) + std::string(what); }

// The planner keeps up to 500 selected objects ("Max Selected items"), one 32-bit entry each.
constexpr size_t kSelectionListSize = 500 * 4;
constexpr int kObjectNameSlots = 100;

}  // namespace

CalendarDateTime LocalClockNow(const AppState& state) {
    return state.services.localClock ? state.services.localClock() : LocalClockTime();
}

void InitObservingTime(AppState& state) {
    const SavedDateTime& saved = state.prefs.savedDateTime;
    if (saved.year != 0) {
        state.observingTime = CalendarDateTime{saved.year, saved.month, saved.day, saved.hour, saved.minute, 0};
    } else {
        state.observingTime = LocalClockNow(state);
    }
    state.listHeaderTime = ToTheMinute(state.observingTime);
}

bool InitApplicationData(AppState& state) {
    StartupBuffers& b = state.buffers;
    PixelUnit(state);
    RunHook(state, state.hooks.setDownloadDefaults);

    if (!Allocate(state, "txtBuffer", b.txtBuffer, 256, "Can't allocate txtBuffer")) return false;
    if (!Allocate(state, "brightStars", b.brightStars, 72512, InitMessage("bright stars list"))) return false;
    if (!Allocate(state, "starBuffer", b.starBuffer, 16000, InitMessage("star buffer"))) return false;
    PutU32(b.starBuffer, 20000000);
    if (!Allocate(state, "objectBuffer", b.objectBuffer, 21600, InitMessage("object buffer"))) return false;
    PutU16(b.objectBuffer, 30000);
    if (!Allocate(state, "selectionListPtr", b.selectionList, kSelectionListSize,
                  "Can't allocate memory selectionListPtr")) {
        return false;
    }
    if (!Allocate(state, "buttonList", b.buttonList, 80, InitMessage("buttonList"))) return false;
    if (!Allocate(state, "buttonList2", b.buttonList2, 80, InitMessage("buttonList"))) return false;
    if (!Allocate(state, "buttonListSave", b.buttonListSave, 80, InitMessage("buttonListSave"))) return false;
    if (!Allocate(state, "buttonListTypeSave", b.buttonListTypeSave, 80, InitMessage("buttonListTypeSave"))) {
        return false;
    }
    if (!Allocate(state, "catalogList", b.catalogList, 276, InitMessage("catalogList"))) return false;
    if (!Allocate(state, "catalogList2", b.catalogList2, 172, InitMessage("catalogList"))) return false;
    if (!Allocate(state, "alignStars", b.alignStars, 2560, InitMessage("alignment stars"))) return false;
    if (!Allocate(state, "dreyerLong", b.dreyerLong, 200, "Can't allocate memory dreyerLong")) return false;
    bool namesFailed = Injected(state, "objListNamePtr");
    if (!namesFailed) {
        try {
            b.objListNamePtr.clear();
            b.objListNamePtr.resize(kObjectNameSlots);
        } catch (const std::bad_alloc&) {
            namesFailed = true;
        }
    }
    if (namesFailed) {
        InfoBox(state, "Can't allocate memory objListNamePtr", "");
        return false;
    }

    InitObservingTime(state);

    ApplyNightMode(state, state.prefs.nightLevel);
    RunHook(state, state.hooks.initEphemeris);
    RunHook(state, state.hooks.openCatalogs);

    if (state.prefs.site.latitude == 0.0f && state.prefs.site.longitude == 0.0f) {
        state.prefs.startForm = kHomeFormId;
        state.locationNeeded = true;
        EnterForm(state, kLocationFormId);
        return true;
    }
    if (state.prefs.startForm == 0) state.prefs.startForm = kHomeFormId;
    RunHook(state, state.hooks.loadLastList);
    return true;
}

StartResult StartApplication(AppState& state) {
    if (state.services.acquireInstance &&
        state.services.acquireInstance() == InstanceResult::AnotherRunning) {
        return StartResult::AnotherRunning;
    }
    if (!state.windows.CreateMainWindow(state.className, state.windowTitle)) {
        InfoBox(state, "Can't Create window", "");
        return StartResult::WindowFailed;
    }
    // The create handler's work: the power watcher starts with the window.
    if (state.services.startPowerWatcher) state.services.startPowerWatcher();
    if (state.services.takeRaiseRequest) {
        state.loop.SetTimer(kMainWindowHandle, kRaisePollTimerId, kRaisePollPeriodMs);
    }

    const DeviceCaps& caps = state.windows.Caps();
    state.windows.SetMainWindowRect(
        Rect{0, 0, caps.screenWidth, caps.screenHeight - ScaledY(state, kMenuBarHeight)});
    state.windows.SetFullScreen(true);
    state.windows.ShowMainWindow(true);
    state.windows.UpdateMainWindow();

    ComputeScaleFactors(state);
    InitApplicationData(state);

    MakeMainWindowFullScreen(state);
    state.loop.PostCommand(kCommandOpenForm, kHomeFormId);
    state.currentFormId = kHomeFormId;
    return StartResult::Started;
}

void FreeStartupBuffers(AppState& state) {
    StartupBuffers& b = state.buffers;
    for (auto& name : b.objListNamePtr) {
        if (!name) break;
        name.reset();
    }
    b.objListNamePtr.clear();
    for (auto* buffer : {&b.txtBuffer, &b.brightStars, &b.starBuffer, &b.objectBuffer, &b.selectionList,
                         &b.buttonList, &b.buttonList2, &b.buttonListSave, &b.buttonListTypeSave,
                         &b.catalogList, &b.catalogList2, &b.alignStars, &b.dreyerLong}) {
        std::vector<uint8_t>().swap(*buffer);
    }
}

void ShutdownApplication(AppState& state) {
    // The watcher goes first: nothing it could post may find the state half released.
    if (state.services.stopPowerWatcher) state.services.stopPowerWatcher();
    state.loop.KillTimer(kMainWindowHandle, kRaisePollTimerId);

    const CalendarDateTime& t = state.observingTime;
    state.prefs.savedDateTime = SavedDateTime{int16_t(t.year), int16_t(t.month), int16_t(t.day),
                                              int16_t(t.hour), int16_t(t.minute)};
    RunHook(state, state.hooks.saveLastList);
    if (state.nightLevel != 0) RestoreSystemColours(state);
    state.display = DisplayColours{};
    RunHook(state, state.hooks.releaseSubsystemBuffers);
    RunHook(state, state.hooks.closeCatalogs);
    FreeStartupBuffers(state);

    RunHook(state, state.hooks.releaseGraphics);

    const DeviceCaps& caps = state.windows.Caps();
    state.windows.SetMainWindowRect(Rect{0, 0, caps.screenWidth, caps.screenHeight});
    state.windows.SetFullScreen(false);

    state.loop.PostQuit(0);
}

}  // namespace vsp
