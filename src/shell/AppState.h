#pragma once
// The application state: one object for the whole run, built by the program and passed to
// whoever needs it. Tests build their own over the headless window system.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ephemeris/Time.h"
#include "platform/Colour.h"
#include "platform/EventLoop.h"
#include "platform/FormWindow.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "platform/SingleInstance.h"
#include "platform/WindowSystem.h"
#include "shell/ControlRegistry.h"
#include "settings/NightLevels.h"
#include "settings/PreferenceTable.h"
#include "settings/Preferences.h"

namespace vsp {

class AppState;
class Form;
class PortList;

inline constexpr int kHomeFormId = 1950;
inline constexpr int kHistorySize = 7;
inline constexpr int kSavedColourCount = 34;
inline constexpr int kMessageQueueSize = 5;
inline constexpr int kMessageLineSize = 256;

// Commands of the main window that are not menu items.
inline constexpr int kCommandQuit = 1;
inline constexpr int kCommandExit = 1035;
inline constexpr int kCommandOpenForm = 9900;
inline constexpr int kCommandPowerResume = 9901;
inline constexpr int kCommandLeaveForm = 9502;  // sent to the form being left

// The four brushes and pens everything draws with; rebuilt by night mode.
struct DisplayColours {
    Colour backgroundBrush = kColourWhite;
    Colour foregroundPen = kColourBlack;
    Colour highlightBrush = 0xC8413E;
    Colour secondPen = kColourWhite;
};

struct MessageBoxState {
    bool busy = false;
    int count = 0;  // pairs waiting
    char firstLines[kMessageQueueSize][kMessageLineSize] = {};
    char secondLines[kMessageQueueSize][kMessageLineSize] = {};
};

// The body the planet surface map assistant (form 2460) shows.
enum class AssistantBody { None, Jupiter, Saturn, Mars };
struct BodyAssistantState {
    AssistantBody body = AssistantBody::None;
};

// Buffers made at start and kept for the whole run (the chart caches, planner and list
// working space, alignment stars, description text).
struct StartupBuffers {
    std::vector<uint8_t> txtBuffer;
    std::vector<uint8_t> brightStars;
    std::vector<uint8_t> starBuffer;
    std::vector<uint8_t> objectBuffer;
    std::vector<uint8_t> selectionList;
    std::vector<uint8_t> buttonList;
    std::vector<uint8_t> buttonList2;
    std::vector<uint8_t> buttonListSave;
    std::vector<uint8_t> buttonListTypeSave;
    std::vector<uint8_t> catalogList;
    std::vector<uint8_t> catalogList2;
    std::vector<uint8_t> alignStars;
    std::vector<uint8_t> dreyerLong;
    // The object list's name table: up to 100 names, null after the last one.
    std::vector<std::unique_ptr<std::string>> objListNamePtr;
};

// What the program supplies from the platform. Unset functions are skipped.
struct ShellServices {
    std::function<InstanceResult()> acquireInstance;
    std::function<bool()> takeRaiseRequest;   // polled; true when another copy asked us forward
    std::function<bool()> startPowerWatcher;  // when the main window is created
    std::function<void()> stopPowerWatcher;   // signals and joins
    std::function<CalendarDateTime()> localClock;  // unset: the system's local time
    // Test seam: true makes the named start-up buffer fail to allocate.
    std::function<bool(std::string_view buffer)> failAllocation;
};

// Work that belongs to other subsystems; the program wires them. Unset hooks do nothing.
struct ShellHooks {
    std::function<void(AppState&)> setDownloadDefaults;
    std::function<void(AppState&)> initEphemeris;
    std::function<void(AppState&)> openCatalogs;
    std::function<void(AppState&)> loadLastList;
    std::function<void(AppState&)> saveLastList;
    std::function<void(AppState&)> releaseSubsystemBuffers;
    std::function<void(AppState&)> closeCatalogs;
    std::function<void(AppState&)> releaseGraphics;  // bitmaps, offscreen buffer, symbol font
    // Menu commands of later subsystems.
    std::function<void(AppState&)> listLoadSave;       // 1031
    std::function<void(AppState&)> importMemo;         // 1033
    std::function<void(AppState&)> exportMemo;         // 1034
    std::function<void(AppState&)> startScopeControl;  // 1013
    // Home form.
    std::function<void(AppState&)> loadList;  // "Load" button
    std::function<void(AppState&, FormWindow&)> refreshHomeView;
    std::function<int(AppState&)> currentListCount;
    std::function<void(AppState&, int kind, int catalog, int typeFilter)> selectVisible;
    // A setting was changed on a preference page and saved (the star catalog and the
    // constellation lines are opened again when theirs change).
    std::function<void(AppState&, const PreferenceSetting&)> preferenceChanged;
    // Questions asked once after a start (the restore of the last telescope alignment).
    std::function<void(AppState&)> startupOffers;
};

// The shell's InfoBox for lower layers.
class ShellInfoSink : public InfoSink {
public:
    explicit ShellInfoSink(AppState& state) : state_(state) {}
    int InfoBox(std::string_view firstLine, std::string_view secondLine) override;
    // The current form's progress box, on forms that have one.
    void ShowProgress(std::string_view firstLine, std::string_view secondLine) override;
    void EndProgress() override;

private:
    AppState& state_;
};

using FormFactory = std::function<std::unique_ptr<Form>(AppState&, int formId)>;

struct OpenForm {
    FormWindow* window = nullptr;
    std::shared_ptr<Form> form;
};

class AppState {
public:
    AppState(WindowSystem& windows, EventLoop& loop, Preferences& prefs, const PreferenceTable& settings,
             ProgramDir dir);
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    WindowSystem& windows;
    EventLoop& loop;
    Preferences& prefs;
    const PreferenceTable& settings;  // every setting of `prefs`, the subsystems' rows supplied
    ProgramDir dir;
    ShellServices services;
    ShellHooks hooks;
    ShellInfoSink info{*this};

    std::string className = "POCKETPC";
    std::string windowTitle = "Vespertar";

    int32_t currentFormId = kHomeFormId;
    int32_t lastFormId = kHomeFormId;
    FormWindow* currentFormWindow = nullptr;  // target of field and list operations
    FormWindow* openFormWindow = nullptr;     // closed on the next switch
    std::vector<OpenForm> openForms;          // procedures of the form windows alive
    std::vector<std::shared_ptr<Form>> retiredForms;  // freed between events
    std::map<int, FormFactory> formFactories;
    std::map<int, int> popupTriggers;  // list id -> trigger id, current form

    double scaleX = 1.0;
    double scaleY = 1.0;
    int pixelUnit = -1;  // computed on first use

    DisplayColours display;
    int nightLevel = 0;
    std::array<int, kNightLevelCount> redIntensity = kNightRedIntensity;
    std::array<Colour, kSavedColourCount> savedColours{};
    bool coloursSaved = false;

    std::array<int32_t, kHistorySize> history;
    ControlRegistry registry;
    MessageBoxState boxes;
    BodyAssistantState bodyAssistant;

    StartupBuffers buffers;
    CalendarDateTime observingTime;  // local civil date and time
    CalendarDateTime listHeaderTime;  // the list header's copy of the observing date and time
    bool locationNeeded = false;
    // The ports the telescope's link names, which the port popups list; the program wires it.
    PortList* ports = nullptr;
};

}  // namespace vsp
