#pragma once
// The settings file: "usercatalogs/vespertar_prefs.ppc", a record file (tag 'Pref', header
// version = the layout version) holding one record with the whole settings block in an
// explicit little-endian layout that ends in a CRC-32 of everything before it.
// The layout is the preference table's: each setting at the offset and in the width its
// declaration gives, after the record's own size (u32 at 0) and layout version (u32 at 4).
// Version 7 of the program's table (1997 bytes; version 1 ended before the Monitor flag,
// version 2 before the port paths, version 3 before the old-elements age and the deep-space
// choice, version 4 before the CCD pixel size and rotation, version 5 before the chart's
// layer flags and version 6 before the label priority and outline flags; all are still read, the
// settings added since taking their defaults):
//   8 current site, then sites 1..3 (60 bytes each: name 32, latitude f32, longitude (west)
//     f32, elevation i32, offset i16, daylight i16, temperature f32, pressure f32,
//     humidity f32),
//   248 saved date and time (5 x i16), 258 start form,
//   262 page 1 (12 x i32), 310 page 2, 354 page 3 with the two zoom levels,
//   406 page 4 (per field of view: stars, objects, view), 526 page 5 (15 flag bytes, three
//   Telrad f32, four scroll flag bytes, CCD width, height, focal length), 569 page 6,
//   597 page 7 (five 128-byte addresses, no NUL when full), 1237 user catalog file (64),
//   1301 night colour set, current satellite, minimum elevation, precise-flare byte,
//   1314 saved alignment (two 128-byte star records, JD f64, two i32 zero offsets),
//   1586 the Monitor form flag (version 2), 1587 the scope, GPS and camera port paths (128
//   bytes each, version 3), 1971 the old-elements age in days (i32), 1975 the deep-space orbits
//   choice (i32; both version 4), 1979 the CCD pixel size in µm and 1983 its rotation in
//   degrees (f32 each, version 5), 1987 the four layer flags (Milky Way, borders, full
//   constellation names, star names; version 6), 1991 label priority and 1992 object
//   outlines (flag bytes, version 7), 1993 CRC-32 of bytes 0..1992.
// Saving writes a complete new file under a temporary name and renames it over the old one,
// so a failed save leaves the previous settings as they were.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ProgramDir.h"
#include "records/RecordFile.h"
#include "records/RecordLayout.h"
#include "settings/PreferenceTable.h"
#include "settings/Preferences.h"

namespace vsp {

inline constexpr char kPreferencesFileName[] = "vespertar_prefs.ppc";
inline constexpr uint32_t kPreferencesTag = FourCharCode("Pref");
inline constexpr uint32_t kPreferencesLayoutVersion = 7;

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

// Every function below works in the record layout of `table`, the program's one table.

// Reads the stored block as it is (no range check). Anything but Loaded leaves the fresh
// defaults in `prefs`.
PreferenceLoadResult ReadPreferences(const PreferenceTable& table, const ProgramDir& dir, Preferences& prefs);

// Writes the block (as given) to the settings file; false on failure, when the previous
// file is untouched.
bool SavePreferences(const PreferenceTable& table, const ProgramDir& dir, const Preferences& prefs);

inline constexpr std::string_view kSettingsNotSaved = "Settings could not be saved.";

// The size of the record `table` lays out: its last field, then the CRC. Zero when the
// settings do not tile the record from byte 8 on (a gap or an overlap), with `problem`
// naming the first setting out of place.
int32_t PreferenceRecordSize(const PreferenceTable& table, std::string* problem = nullptr);

// The record of a block (CRC included) and back. Encoding gives nothing when the layout does
// not tile; decoding fails (returns false, `prefs` untouched) on a wrong size, record size
// field or CRC.
std::vector<uint8_t> EncodePreferences(const PreferenceTable& table, const Preferences& prefs);
bool DecodePreferences(const PreferenceTable& table, const uint8_t* record, size_t length, Preferences& prefs);

// The settings record layout, field by field, for `records dump`.
RecordLayout PreferenceRecordLayout(const PreferenceTable& table);

}  // namespace vsp
