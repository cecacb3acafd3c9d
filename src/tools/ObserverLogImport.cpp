#include "tools/ObserverLogImport.h"

#include <cstdio>

#include "platform/Text.h"
#include "platform/UserFilesLock.h"
#include "tools/ObserverLogStore.h"

namespace vsp {
namespace {

constexpr std::string_view kExportTitle = "Vespertar Observer log ";

bool IsPassedOver(std::string_view line) {
    return TrimBlanks(line).empty() || line.starts_with(kExportTitle) ||
           line.starts_with(std::string_view(kLogExportColumns).substr(0, 10));
}

}  // namespace

bool ImportLogs(const ProgramDir& dir, std::string_view text, DateOrder order, InfoSink& messages,
                LogImportCounts& counts) {
    counts = {};
    UserFilesLock lock;
    if (!LockUserFiles(dir, messages, lock)) return false;
    RecordingInfoSink saveMessages;  // a refused name is a rejected line, not a box per line
    while (!text.empty()) {
        const size_t length = LogExportRecordLength(text);
        const std::string_view line = text.substr(0, length);
        text.remove_prefix(length);
        if (IsPassedOver(line)) continue;
        ObserverLogRecord note;
        const bool accepted = ParseLogExportLine(line, order, note) && SaveLog(dir, note, "", saveMessages);
        ++(accepted ? counts.accepted : counts.rejected);
    }
    if (counts.accepted == 0) {
        messages.InfoBox(kNoLogLoadedMessage, "");
        return false;
    }
    char report[80];
    std::snprintf(report, sizeof report, "%d User log uploaded, %d rejected.", counts.accepted, counts.rejected);
    messages.InfoBox(report, "");
    return true;
}

}  // namespace vsp
