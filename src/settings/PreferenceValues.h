#pragma once
// A setting's value as text and back, through its declaration: how `prefs` shows a value and
// reads a typed one, and which settings differ between two blocks.

#include <string>
#include <string_view>
#include <vector>

#include "settings/PreferenceSetting.h"
#include "settings/PreferenceTable.h"
#include "settings/Preferences.h"

namespace vsp {

// The value of a setting as narrow text: a choice as its row text, a flag as "on"/"off",
// numbers in their shortest form, text as stored.
std::string FormatPreferenceValue(const PreferenceSetting& setting, const Preferences& prefs);
// The raw number of a Choice/Integer/Real/Flag setting in its shortest form.
std::string FormatPreferenceNumber(const PreferenceSetting& setting, const Preferences& prefs);

// Reads `text` (narrow, device code page) into the setting: a choice takes its row index or
// its row text (case-insensitive), a flag 0/1/on/off/true/false/yes/no, numbers must be read
// whole (an integer setting takes whole numbers only). No range check here. False, with
// `reason` (one line), when the text cannot be read.
bool ParsePreferenceValue(const PreferenceSetting& setting, std::string_view text,
                          Preferences& prefs, std::string& reason);
// A choice by its row text only (case-insensitive), for rows that read as numbers ("203").
bool ParsePreferenceRow(const PreferenceSetting& setting, std::string_view text,
                        Preferences& prefs, std::string& reason);

// Keys of the listed settings whose values differ between two blocks, in table order.
std::vector<std::string> DifferingPreferenceKeys(const PreferenceTable& table, const Preferences& a,
                                                 const Preferences& b);

}  // namespace vsp
