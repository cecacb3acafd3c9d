#pragma once
// The start routine of the preferences: fresh defaults when nothing is stored, and the range
// check that forces every value of a loaded (or edited) block back into its valid range.

#include <string>

#include "platform/ProgramDir.h"
#include "settings/PreferenceStore.h"
#include "settings/PreferenceTable.h"
#include "settings/Preferences.h"

namespace vsp {

// Fresh defaults: the block as the program starts without any stored settings.
void ResetPreferences(Preferences& prefs);

// Replaces the setting's value when it is out of its declared range (see below); true when
// it did.
bool ReplaceOutOfRange(const PreferenceSetting& setting, Preferences& prefs);

// Replaces every out-of-range value of the table's settings: a latitude outside -90..90
// becomes -90, a longitude outside -180..180 becomes -180, an elevation outside 0..9000
// becomes 0, an offset outside -720..720 becomes -720, a daylight flag outside 0..1 becomes 0
// (current and stored sites); a choice outside its rows becomes its default (a choice whose
// rows were never supplied keeps its value); ΔT not above 40 or above 200 becomes 66.184; a
// download address that is empty or too long becomes its default; a saved date without month
// or day is dropped, and a saved alignment without a valid date. Returns how many values
// were replaced.
int CheckPreferenceRanges(const PreferenceTable& table, Preferences& prefs);

// The start routine: the stored settings of the program directory brought into range, or
// the fresh defaults when none are stored or they cannot be read (the result says which,
// with the message to show).
PreferenceLoadResult StartPreferences(const PreferenceTable& table, const ProgramDir& dir, Preferences& prefs);

}  // namespace vsp
