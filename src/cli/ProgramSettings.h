#pragma once
// The program's settings table: the settings' own declarations with the rows and conditions
// the subsystems own supplied, built once per run and passed to whoever needs it.

#include "platform/ProgramDir.h"
#include "settings/PreferenceStart.h"
#include "settings/PreferenceTable.h"

namespace vsp::cli {

PreferenceTable ProgramPreferenceTable();

// The fresh defaults for this program directory: the star card is the largest catalog that
// `data build` left in data/, so that a new user zooming in sees stars.
void ResetProgramPreferences(const ProgramDir& dir, Preferences& prefs);
// The start routine of the preferences; when nothing stored could be read, the defaults are
// those of ResetProgramPreferences. A stored choice is kept as it is.
PreferenceLoadResult StartProgramPreferences(const PreferenceTable& table, const ProgramDir& dir, Preferences& prefs);

}  // namespace vsp::cli
