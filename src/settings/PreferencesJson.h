#pragma once
// The settings as `prefs show --json` prints them: every listed setting under its key (a
// choice as its row index, a flag as true/false, numbers as read back, text in UTF-8), and a
// choice once more under KEY_text with its row text.

#include <nlohmann/json.hpp>

#include "settings/PreferenceSetting.h"
#include "settings/PreferenceTable.h"
#include "settings/Preferences.h"

namespace vsp {

inline constexpr char kRowTextSuffix[] = "_text";

// The setting's entries added to `out`.
void AddPreferenceJson(nlohmann::json& out, const PreferenceSetting& setting, const Preferences& prefs);
// Every listed setting of the table.
nlohmann::json PreferencesJson(const PreferenceTable& table, const Preferences& prefs);

}  // namespace vsp
