#pragma once
// The settings file: "usercatalogs/vespertar_prefs.ppc", a record file (tag 'Pref', header
// version = the layout version) holding one record with the whole settings block in an
// explicit little-endian layout that ends in a CRC-32 of everything before it.
// Saving writes a complete new file under a temporary name and renames it over the old one,
// so a failed save leaves the previous settings as they were.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ProgramDir.h"
#include "records/RecordFile.h"
#include "records/RecordLayout.h"
#include "shell/Preferences.h"

namespace vsp {

class AppState;

inline constexpr char kPreferencesFileName[] = "vespertar_prefs.ppc";
inline constexpr uint32_t kPreferencesTag = FourCharCode("Pref");
inline constexpr uint32_t kPreferencesLayoutVersion = 1;
inline constexpr int32_t kPreferencesRecordSize = 1590;

enum class PreferenceFileStatus {
    Loaded,        // read and intact
    Missing,       // nothing stored yet
    Truncated,     // shorter than its header or its record
    WrongTag,      // not a settings file
    NewerVersion,  // written by a newer layout
    Damaged,       // unknown version, wrong record size or count
    BadChecksum,   // the record's CRC does not match
    Unreadable,    // exists but cannot be opened
};

struct PreferenceLoadResult {
    PreferenceFileStatus status = PreferenceFileStatus::Missing;
    std::string message;   // what to tell the user; empty for Loaded and Missing
    int replaced = 0;      // values the range check replaced (StartPreferences)
};

// Reads the stored block as it is (no range check). Anything but Loaded leaves the fresh
// defaults in `prefs`.
PreferenceLoadResult ReadPreferences(const ProgramDir& dir, Preferences& prefs);

// Writes the block (as given) to the settings file; false on failure, when the previous
// file is untouched.
bool SavePreferences(const ProgramDir& dir, const Preferences& prefs);

inline constexpr std::string_view kSettingsNotSaved = "Settings could not be saved.";
// Saves the run's settings at once (a form changed one) under the user-files lock; a failure
// is told in a box.
bool SaveSettings(AppState& state);

// The record of a block (kPreferencesRecordSize bytes, CRC included) and back. Decoding
// fails (returns false, `prefs` untouched) on a wrong size, record size field or CRC.
std::vector<uint8_t> EncodePreferences(const Preferences& prefs);
bool DecodePreferences(const uint8_t* record, size_t length, Preferences& prefs);

// The settings record layout, field by field, for `records dump`.
RecordLayout PreferenceRecordLayout();
void RegisterPreferenceLayouts(RecordLayoutRegistry& registry);

}  // namespace vsp
