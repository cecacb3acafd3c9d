#include "tools/ObserverLogStore.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/ReplaceFile.h"

namespace vsp {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// userlogs/, made (with the program directory) when missing.
std::string LogsDir(const ProgramDir& dir) {
    const std::string path = dir.Path(kUserLogsDir);
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return path;
}

bool IsLogFileName(const std::string& name) {
    return name.size() > kLogExtension.size() && name.ends_with(kLogExtension) && IsSafeFileName(name);
}

}  // namespace

std::vector<std::string> ListLogs(const ProgramDir& dir) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(LogsDir(dir), error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && IsLogFileName(name)) names.push_back(name.substr(0, kLogFileNameChars));
    }
    std::sort(names.begin(), names.end());
    return names;
}

LogReadResult ReadLogFile(const std::string& path, ObserverLogRecord& record) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return LogReadResult::NotOpened;
    std::array<uint8_t, kObserverLogRecordSize> bytes{};
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return LogReadResult::Short;
    ObserverLogRecord read = DecodeObserverLog(bytes.data());
    if (read.magic != kObserverLogMagic) return LogReadResult::Corrupted;
    record = std::move(read);
    return LogReadResult::Read;
}

bool LoadLog(const ProgramDir& dir, const std::vector<std::string>& names, int index, ObserverLogRecord& record,
             InfoSink& messages) {
    if (index < 0 || size_t(index) >= names.size()) {
        messages.InfoBox(kSelectLogMessage, "");
        return false;
    }
    switch (ReadLogFile(dir.Path(kUserLogsDir, names[size_t(index)]), record)) {
        case LogReadResult::Read: record.listIndex = index; return true;
        case LogReadResult::NotOpened: return false;
        case LogReadResult::Short: messages.InfoBox(kReadLogFailedMessage, ""); return false;
        case LogReadResult::Corrupted: messages.InfoBox(kCorruptedLogMessage, ""); return false;
    }
    return false;
}

std::string LogFileName(std::string_view objectName) { return std::string(objectName) + std::string(kLogExtension); }

bool SaveLog(const ProgramDir& dir, ObserverLogRecord& record, std::string_view previousFile, InfoSink& messages) {
    if (record.objectName.size() > kLogObjectNameChars) record.objectName.resize(kLogObjectNameChars);
    if (!IsSafeFileName(record.objectName)) {
        messages.InfoBox(kUnsafeLogNameMessage, "\"" + record.objectName + "\"");
        return false;
    }
    record.magic = kObserverLogMagic;
    const std::string folder = LogsDir(dir);
    const std::string fileName = LogFileName(record.objectName);
    std::array<uint8_t, kObserverLogRecordSize> bytes{};
    EncodeObserverLog(record, bytes.data());
    const bool written = ReplaceFile(folder + fileName, [&](std::FILE* file) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    });
    if (!written) {
        messages.InfoBox(kWriteLogFailedMessage, folder + fileName);
        return false;
    }
    if (!previousFile.empty() && previousFile != fileName && IsSafeFileName(previousFile))
        DeleteLog(dir, previousFile);
    return true;
}

bool SaveReplacesAnotherLog(const ProgramDir& dir, const ObserverLogRecord& record, std::string_view previousFile) {
    const std::string fileName = LogFileName(std::string_view(record.objectName).substr(0, kLogObjectNameChars));
    return !previousFile.empty() && fileName != previousFile && IsSafeFileName(fileName) &&
           FileExists(dir.Path(kUserLogsDir, fileName));
}

bool DeleteLog(const ProgramDir& dir, std::string_view fileName) {
    if (!IsSafeFileName(fileName)) return false;
    std::error_code error;
    return std::filesystem::remove(dir.Path(kUserLogsDir, fileName), error);
}

}  // namespace vsp
