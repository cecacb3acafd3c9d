#include "tools/ObserverLogExport.h"

#include <cstdio>

#include "platform/ReplaceFile.h"
#include "tools/ObserverLogStore.h"

namespace vsp {
namespace {

std::string CountMessage(int exported) {
    char text[64];
    std::snprintf(text, sizeof text, "%d Observer log%s exported.", exported, exported >= 2 ? "s" : "");
    return text;
}

std::string ExportHeader(int fileNumber) {
    return "Vespertar Observer log " + std::to_string(fileNumber) + "\n" + kLogExportColumns;
}

bool WriteExportFile(const ProgramDir& dir, size_t number, const std::string& text, InfoSink& messages,
                     LogExportResult& result) {
    const std::string path = dir.Path(kUserLogsDir, "logs_" + std::to_string(number) + ".txt");
    const bool written = ReplaceFileText(path, text);
    if (!written) {
        messages.InfoBox(kWriteLogFailedMessage, path);
        return false;
    }
    result.files.push_back(path);
    return true;
}

// The note as the export reads it: a short or corrupted file is reported and skipped.
bool ReadForExport(const std::string& path, ObserverLogRecord& note, InfoSink& messages) {
    switch (ReadLogFile(path, note)) {
        case LogReadResult::Read: return true;
        case LogReadResult::NotOpened: return false;
        case LogReadResult::Short: messages.InfoBox(kReadLogFailedMessage, path); return false;
        case LogReadResult::Corrupted: messages.InfoBox(kCorruptedLogMessage, path); return false;
    }
    return false;
}

}  // namespace

bool ExportLogs(const ProgramDir& dir, DateOrder order, const TextFormats& formats, InfoSink& messages,
                LogExportResult& result) {
    result = {};
    const std::vector<std::string> names = ListLogs(dir);
    if (names.empty()) {
        messages.InfoBox(kNothingToExportMessage, "");
        return false;
    }
    std::string text;
    int fileNumber = 1;
    bool complete = true;
    for (size_t i = 0; i < names.size(); ++i) {
        ObserverLogRecord note;
        if (!ReadForExport(dir.Path(kUserLogsDir, names[i]), note, messages)) continue;
        if (text.size() > kLogExportFileLimit) {
            complete = WriteExportFile(dir, i, text, messages, result);
            if (!complete) break;
            messages.InfoBox(CountMessage(result.exported) + "\n", "");
            text.clear();
        }
        if (text.empty()) text = ExportHeader(fileNumber++);
        text += LogExportLine(note, order, formats);
        ++result.exported;
    }
    if (!WriteExportFile(dir, names.size(), text, messages, result)) return false;
    messages.InfoBox(CountMessage(result.exported), "");
    return complete;
}

}  // namespace vsp
