#pragma once
// The home form (1950, "Wizard"): icon buttons to the assistants, three popup menus, the
// quick selections and the help box. Its sky summary is drawn by the observing tools through
// the refreshHomeView hook, every five minutes.

#include <memory>
#include <string_view>

#include "shell/AppState.h"
#include "shell/Form.h"

namespace vsp {

inline constexpr int kHomeTimerId = 1001;
inline constexpr uint32_t kHomeTimerPeriodMs = 300000;

inline constexpr int kToolsTrigger = 1976;
inline constexpr int kToolsList = 1977;
inline constexpr int kDevicesTrigger = 1978;
inline constexpr int kDevicesList = 1979;
inline constexpr int kSettingsTrigger = 1980;
inline constexpr int kSettingsList = 1981;
inline constexpr int kHomeDoneButton = 1;
// The sky summary, in the cells the icon grid leaves free on its last row.
inline constexpr int kHomeSummaryText = 1990;

inline constexpr std::string_view kHomeHelpFirstPart =
    "\x95 The Information button will give you help on each page.\n"
    "\x95 To go back from on page, press the title.\n"
    "\x95 To change the dates or hours, please click on the clock icon or on the fields that "
    "contain dates or hours.";
inline constexpr std::string_view kHomeHelpSecondLine =
    "\x95 First set your location. Then try other Wizard icons.";

std::unique_ptr<Form> MakeHomeForm();

// What a home button does.
enum class HomeAction { None, OpenForm, Body, LoadList, Sky, Help, QuickSelect, Exit };
struct HomeButton {
    int id;
    std::string_view label;
    HomeAction action;
    int formId;  // OpenForm
    AssistantBody body;
    int kind, catalog, typeFilter;  // QuickSelect
};
// Null for an id that is not a home button.
const HomeButton* FindHomeButton(int controlId);

// Rows of the three popup lists, top to bottom.
inline constexpr std::string_view kToolsRows[] = {"NightMode", "Twilight", "CompassChart",
                                                  "Day/Night", "CheckList", "Quit"};
inline constexpr std::string_view kDevicesRows[] = {"ScopeControl",     "2 StarsAlignment",
                                                    "N StarsAlignement", "PolarAlignement",
                                                    "DSLRControl",      "CCD"};
inline constexpr std::string_view kSettingsRows[] = {"Preferences", "Location", "About"};

// A row chosen in one of the popup lists.
void HomeToolsRow(AppState& state, int row);
void HomeDevicesRow(AppState& state, int row);
void HomeSettingsRow(AppState& state, int row);

// What the wait box names for a quick selection.
std::string_view QuickSelectionText(int kind, int catalog);
// Fills the current list with the visible objects of a kind and opens the chart; refuses
// while the location is unset. True when the selection ran.
bool QuickSelection(AppState& state, int kind, int catalog, int typeFilter);
bool LocationUnset(const AppState& state);

}  // namespace vsp
