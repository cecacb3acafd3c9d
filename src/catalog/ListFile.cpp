#include "catalog/ListFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/ReadWholeFile.h"
#include "platform/ReplaceFile.h"
#include "records/RecordFile.h"

namespace vsp {
namespace {

void EncodeListHeader(const ObservingList& list, std::string_view name, uint8_t* header) {
    std::memset(header, 0, kListHeaderSize);
    std::memcpy(header + 4, name.data(), std::min(name.size(), size_t(kListNameSize - 1)));
    const CalendarDateTime& t = list.time;
    const int32_t fields[] = {t.year, t.month, t.day, t.hour, t.minute, list.Count()};
    for (size_t i = 0; i < std::size(fields); ++i) WriteI32(header + 44 + 4 * i, fields[i]);
}

// What a list file holds, read whole (the list keeps what fits its capacity): false when it is
// shorter than its header or claims a negative count.
bool DecodeListFile(const std::vector<uint8_t>& bytes, ObservingList& list) {
    if (bytes.size() < size_t(kListHeaderSize)) return false;
    const int32_t count = ReadI32(bytes.data() + 64);
    if (count < 0) return false;
    const size_t stored = (bytes.size() - kListHeaderSize) / kListEntrySize;
    const size_t kept = std::min(size_t(count), stored);
    std::vector<ListEntry> entries;
    for (size_t i = 0; i < kept; ++i)
        entries.push_back(DecodeListEntry(bytes.data() + kListHeaderSize + i * kListEntrySize));
    const char* name = reinterpret_cast<const char*>(bytes.data() + 4);
    list.name.assign(name, strnlen(name, kListNameSize - 1));
    const uint8_t* t = bytes.data() + 44;
    list.time = CalendarDateTime{ReadI32(t), ReadI32(t + 4), ReadI32(t + 8), ReadI32(t + 12), ReadI32(t + 16), 0};
    list.Assign(std::move(entries));
    return true;
}

// The largest list file: a header and as many entries as a count can reach in the window.
constexpr size_t kListFileLimit = size_t(kListHeaderSize) + 65535 * size_t(kListEntrySize);

// A list file's bytes; what lies past the largest list is never read.
bool ReadListFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::string text;
    const FileReadResult read = ReadWholeFile(path, kListFileLimit, text);
    bytes.assign(text.begin(), text.end());
    return read == FileReadResult::Read || read == FileReadResult::TooLarge;
}

std::vector<std::string> FileNamesWithExtension(const std::string& folder, std::string_view extension) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
        const std::string file = item.path().filename().string();
        if (!item.is_regular_file(error) || file.size() <= extension.size() || !file.ends_with(extension)) continue;
        names.push_back(file.substr(0, file.size() - extension.size()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::string ListPath(const ProgramDir& dir, std::string_view name) {
    return dir.Path(kListDir, std::string(name) + std::string(kListExtension));
}

bool SaveList(const ProgramDir& dir, const ObservingList& list, std::string_view name, InfoSink& messages) {
    if (list.Empty()) return true;
    const std::string path = ListPath(dir, name);
    bool headerWritten = false;
    const bool saved = IsSafeFileName(name) && MakeDirectory(dir.Path(kListDir)) &&
                       ReplaceFile(path, [&](std::FILE* stream) {
                           uint8_t header[kListHeaderSize];
                           EncodeListHeader(list, name, header);
                           headerWritten = std::fwrite(header, 1, sizeof header, stream) == sizeof header;
                           if (!headerWritten) return false;
                           uint8_t entry[kListEntrySize];
                           for (const ListEntry& item : list.Entries()) {
                               EncodeListEntry(item, entry);
                               if (std::fwrite(entry, 1, sizeof entry, stream) != sizeof entry) return false;
                           }
                           return true;
                       });
    if (!saved) messages.InfoBox(headerWritten ? "Can't write data." : "Can't write header.", path);
    return saved;
}

bool LoadList(const ProgramDir& dir, std::string_view name, ObservingList& list, InfoSink& messages) {
    const std::string path = ListPath(dir, name);
    std::vector<uint8_t> bytes;
    if (!IsSafeFileName(name) || !ReadListFile(path, bytes)) {
        messages.InfoBox("Can't open file.", path);
        return false;
    }
    if (!DecodeListFile(bytes, list)) {
        messages.InfoBox("Can't read header.", path);
        return false;
    }
    return true;
}

std::vector<std::string> SavedLists(const ProgramDir& dir) {
    return FileNamesWithExtension(dir.Path(kListDir), kListExtension);
}

std::vector<std::string> UserCatalogFiles(const ProgramDir& dir, std::string_view extension) {
    return FileNamesWithExtension(dir.Path(kUserCatalogsDir), extension);
}

}  // namespace vsp
