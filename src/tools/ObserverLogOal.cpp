#include "tools/ObserverLogOal.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <set>

#include "platform/ReadWholeFile.h"
#include "platform/ReplaceFile.h"
#include "platform/UserFilesLock.h"
#include "settings/MagnitudeLimits.h"
#include "tools/ObserverLogExport.h"
#include "tools/ObserverLogStore.h"

namespace vsp {
namespace {

// The account's full name (the first field of its GECOS entry), else its login name.
std::string AccountName() {
    const passwd* account = getpwuid(getuid());
    if (!account) return "Observer";
    const std::string gecos = account->pw_gecos ? account->pw_gecos : "";
    const std::string fullName = gecos.substr(0, gecos.find(','));
    return !fullName.empty() ? fullName : account->pw_name ? account->pw_name : "Observer";
}

// A name the store can keep: the characters a file name cannot hold replaced, then " 2", " 3",
// ... while an earlier observation of this document took it.
std::string ImportedName(std::string name, std::set<std::string>& taken) {
    for (char& c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '-';
    for (size_t dots = name.find(".."); dots != std::string::npos; dots = name.find(".."))
        name[dots] = '-';
    std::string unique = name;
    for (int count = 2; taken.count(unique); ++count) {
        const std::string suffix = " " + std::to_string(count);
        unique = name.substr(0, kLogObjectNameChars - suffix.size()) + suffix;
    }
    taken.insert(unique);
    return unique;
}

bool ReadDocument(const std::string& path, std::string& text, InfoSink& messages) {
    switch (ReadWholeFile(path, kOalFileLimit, text)) {
        case FileReadResult::Read: return true;
        case FileReadResult::TooLarge: messages.InfoBox(kOalTooLargeMessage, path); return false;
        case FileReadResult::NotRegular:
        case FileReadResult::Unreadable: messages.InfoBox("Can't open file.", path); return false;
    }
    return false;
}

}  // namespace

OalEquipment OalEquipmentOf(const ProgramDir& dir, const Preferences& prefs, int zoneMinutes) {
    OalEquipment equipment;
    equipment.sites.push_back(prefs.site);
    equipment.sites.insert(equipment.sites.end(), prefs.storedSites.begin(), prefs.storedSites.end());
    equipment.eyepieces = LoadEyepieces(dir);
    equipment.apertureMm = TelescopeApertureMm(prefs);
    equipment.focalLengthMm = TelescopeFocalLengthMm(prefs);
    equipment.zoneMinutes = zoneMinutes;
    equipment.observer = AccountName();
    return equipment;
}

bool ExportOalLog(const ProgramDir& dir, const OalEquipment& equipment, const std::string& path,
                  InfoSink& messages, OalExportResult& result) {
    std::vector<ObserverLogRecord> notes;
    for (const std::string& name : ListLogs(dir)) {
        ObserverLogRecord note;
        const std::string file = dir.Path(kUserLogsDir, name);
        if (ReadLogFile(file, note) == LogReadResult::Read) notes.push_back(std::move(note));
        else messages.InfoBox(kReadLogFailedMessage, file);
    }
    if (notes.empty()) {
        messages.InfoBox(kNothingToExportMessage, "");
        return false;
    }
    if (!ReplaceFileText(path, WriteOalDocument(notes, equipment))) {
        messages.InfoBox(kWriteLogFailedMessage, path);
        return false;
    }
    result.exported = int(notes.size());
    return true;
}

bool ImportOalLog(const ProgramDir& dir, const OalEquipment& equipment, const std::string& path,
                  InfoSink& messages, OalImportResult& result) {
    std::string text, problem;
    if (!ReadDocument(path, text, messages)) return false;
    OalReadResult read;
    if (!ReadOalDocument(text, equipment, read, problem)) {
        messages.InfoBox(problem, path);
        return false;
    }
    UserFilesLock lock;
    if (!LockUserFiles(dir, messages, lock)) return false;
    result.skipped = read.skipped;
    std::set<std::string> taken;
    RecordingInfoSink saveMessages;  // a note that cannot be written is counted, not a box each
    for (ObserverLogRecord& note : read.notes) {
        note.objectName = ImportedName(note.objectName, taken);
        ++(SaveLog(dir, note, "", saveMessages) ? result.imported : result.skipped);
    }
    return true;
}

}  // namespace vsp
