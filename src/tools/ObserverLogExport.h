#pragma once
// Every note as semicolon-separated text: "logs_%d.txt" files under userlogs/, each begun
// with a header that counts the files, a new file begun once a file passes 65,036 bytes.
// Asking the user first is the caller's part.

#include <string>
#include <vector>

#include "format/TextFormats.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "tools/ObserverLogText.h"

namespace vsp {

inline constexpr size_t kLogExportFileLimit = 65036;
inline constexpr char kNothingToExportMessage[] = "Nothing to export.";
inline constexpr char kExportLogsQuestion[] = "Do you want to export your Observer Logs to a text file ?";

struct LogExportResult {
    int exported = 0;                // notes written
    std::vector<std::string> files;  // paths written, in order
};

// Writes the notes of ListLogs in order, reporting through `messages` each file's count,
// unreadable or corrupted notes (skipped) and "Nothing to export." when there is no note.
// False when there was nothing to export or a file could not be written.
bool ExportLogs(const ProgramDir& dir, DateOrder order, const TextFormats& formats, InfoSink& messages,
                LogExportResult& result);

}  // namespace vsp
