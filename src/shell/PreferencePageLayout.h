#pragma once
// Where each control of a preference page goes, worked out from the preference table: group
// captions with their "Inf" buttons, a line per setting (label and popup, edit field or shown
// value), check boxes in two columns, short fields ("Az:", "Telrad 1:") side by side, the
// zoom grid of page 4, and the page buttons. Rectangles are 96-dpi layout pixels of the
// 240 x 320 screen less the 26-pixel strip the shell may keep; a line whose setting is not
// shown for the current values takes no room.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Control.h"
#include "platform/PortList.h"
#include "settings/PreferenceSetting.h"
#include "settings/PreferenceTable.h"
#include "settings/Preferences.h"

namespace vsp {

inline constexpr int kPreferencePageWidth = 240;
inline constexpr int kPreferencePageHeight = 320 - 26;

// Width of narrow text in layout pixels.
using TextMeasure = std::function<int(std::string_view)>;
// The width of text in the font labels and rows are drawn in, at 96 dpi.
int LayoutTextWidth(std::string_view text);

// PortPath: the field over a port popup's trigger where "Other..." lets a path be typed.
enum class SettingControl { Popup, Edit, CheckBox, Shown, PortPath };

struct SettingBinding {
    const PreferenceSetting* setting = nullptr;
    SettingControl control = SettingControl::Edit;
    int fieldId = 0;                // trigger, edit field, check box or shown text
    int listId = 0;                 // the popup's list
    std::vector<std::string> rows;  // the popup's rows, row 0 first
    std::vector<std::string> shown;  // what the trigger shows for each row, where not the row itself
    std::string name;               // how a message names the setting
    std::string unit;               // after a shown value
    const PreferenceSetting* portPath = nullptr;  // a port's popup and path field: where its path is kept
};

struct PageLayout {
    std::vector<ControlTemplate> controls;  // the lists come last, so that they open on top
    std::vector<SettingBinding> bindings;
    std::vector<std::pair<int, const SettingGroup*>> helpButtons;  // "Inf" button id, its group
    std::vector<int> cacheButtons;                         // "Clear", "Sync", "Stop"
};

// The same controls with the same ids for any values; only places and visibility change.
// The port popups list `ports` (the entries after "None") between "None" and "Other...".
PageLayout LayOutPreferencePage(const PreferenceTable& table, int page, const Preferences& prefs,
                                const TextMeasure& measure, const std::vector<PortLabel>& ports = {});

}  // namespace vsp
