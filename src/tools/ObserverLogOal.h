#pragma once
// The notes of userlogs/ exchanged as an OpenAstronomyLog 2.1 file (tools/OalDocument.h):
// every note written into one document, and a document's observations saved as notes.

#include <string>

#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "settings/Preferences.h"
#include "tools/OalDocument.h"

namespace vsp {

inline constexpr size_t kOalFileLimit = 32u << 20;  // bytes read of a document
inline constexpr char kOalTooLargeMessage[] = "The log file is larger than 32 MB.";

// What the settings say of the notes' equipment: the current and saved sites, the eyepiece
// list, the telescope's aperture and focal length, the zone of `zoneMinutes` and the user's
// name (the account's full name, else its login name).
OalEquipment OalEquipmentOf(const ProgramDir& dir, const Preferences& prefs, int zoneMinutes);

struct OalExportResult {
    int exported = 0;
};
// Every readable note of userlogs/ in file-name order as one document at `path`, written whole
// through a temporary file. "Nothing to export." when there is no note, "Fail to write log
// file." when the file cannot be written (false).
bool ExportOalLog(const ProgramDir& dir, const OalEquipment& equipment, const std::string& path,
                  InfoSink& messages, OalExportResult& result);

struct OalImportResult {
    int imported = 0;
    int skipped = 0;  // observations without a readable target or time, and names refused
};
// The document's observations as notes, under the user-files lock. A note of the same name is
// replaced, as the text import does; the same name twice in one document gets " 2", " 3", ...,
// and characters a file name cannot hold become '-'. False with the reason when the file
// cannot be read, is too large, or is not an OpenAstronomyLog document.
bool ImportOalLog(const ProgramDir& dir, const OalEquipment& equipment, const std::string& path,
                  InfoSink& messages, OalImportResult& result);

}  // namespace vsp
