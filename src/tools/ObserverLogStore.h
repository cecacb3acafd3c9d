#pragma once
// The observer notes on disk: one "<object name>.log" file per note under userlogs/. A note's
// name becomes its file name, so a name that could reach outside userlogs/ (a separator,
// "..", a control character, or nothing) is refused before any file is touched.

#include <string>
#include <string_view>
#include <vector>

#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"
#include "tools/ObserverLogRecord.h"

namespace vsp {

inline constexpr std::string_view kLogExtension = ".log";
inline constexpr size_t kLogFileNameChars = 63;

inline constexpr char kSelectLogMessage[] = "Please select an observation log.";
inline constexpr char kReadLogFailedMessage[] = "Fail to read log file.";
inline constexpr char kCorruptedLogMessage[] = "It seems your log data are corrupted.";
inline constexpr char kWriteLogFailedMessage[] = "Fail to write log file.";
inline constexpr char kUnsafeLogNameMessage[] = "This name cannot name a log file:";
inline constexpr char kLogNameTakenMessage[] = "Another note has this name:";

enum class LogReadResult { Read, NotOpened, Short, Corrupted };

// The file names of the notes ("*.log" of userlogs/, made when missing), sorted, each cut to
// 63 characters.
std::vector<std::string> ListLogs(const ProgramDir& dir);
// One note file as it is on disk.
LogReadResult ReadLogFile(const std::string& path, ObserverLogRecord& record);
// Note `index` of `names` into `record` (listIndex set); on failure the message and false,
// with `record` as it was.
bool LoadLog(const ProgramDir& dir, const std::vector<std::string>& names, int index, ObserverLogRecord& record,
             InfoSink& messages);
// The file that holds a note of this name.
std::string LogFileName(std::string_view objectName);
// Writes `record` (magic set) as the note of its object name, replacing a note of that name.
// `previousFile` is the file the note was opened from when it is edited, empty for a new
// note: once the note is written under its (new) name the old file goes, so a rename moves
// the note and a failed write leaves it where it was.
bool SaveLog(const ProgramDir& dir, ObserverLogRecord& record, std::string_view previousFile, InfoSink& messages);
// True when SaveLog(record, previousFile) would replace a note other than the one edited: a
// new name (as SaveLog cuts it) that another note's file has.
bool SaveReplacesAnotherLog(const ProgramDir& dir, const ObserverLogRecord& record, std::string_view previousFile);
// Deletes the note file `fileName` (a name ListLogs gave). False when it could not go.
bool DeleteLog(const ProgramDir& dir, std::string_view fileName);

}  // namespace vsp
