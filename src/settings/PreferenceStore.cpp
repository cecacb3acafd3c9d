#include "settings/PreferenceStore.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace vsp {

namespace {

constexpr int32_t kFirstFieldOffset = 8;  // after the record's own size and layout version
constexpr int32_t kCrcSize = 4;

std::vector<const PreferenceSetting*> ByOffset(const PreferenceTable& table) {
    std::vector<const PreferenceSetting*> fields;
    for (const PreferenceSetting& s : table.All()) fields.push_back(&s);
    std::ranges::stable_sort(fields, {}, &PreferenceSetting::offset);
    return fields;
}

// CRC-32/ISO-HDLC (reflected, polynomial 0xEDB88320), zlib's own.
uint32_t RecordCrc(const uint8_t* record, int32_t crcOffset) {
    return uint32_t(::crc32(0L, record, uInt(crcOffset)));
}

// The alignment star record, field by field as the two-star alignment lays it out.
void AddAlignStarFields(std::vector<RecordField>& fields, const std::string& prefix, int32_t at) {
    auto add = [&](const std::string& name, FieldType type, int32_t width) {
        fields.push_back(RecordField{prefix + name, at, type, type == FieldType::Text ? width : 0});
        at += width;
    };
    add("index", FieldType::I32, 4);
    add("name", FieldType::Text, 20);
    for (const char* name : {"clock_angle_deg", "ra_deg", "dec_deg", "axis1_deg", "axis2_deg", "predicted_axis1",
                             "predicted_axis2", "measured_axis1", "measured_axis2"})
        add(name, FieldType::F64, 8);
    add("spare", FieldType::Text, 32);
}

// Today's layout, or an older one, which is shorter: settings are only ever added at the end.
bool IsReadableRecord(uint32_t version, int32_t storedSize, int32_t size) {
    if (version == kPreferencesLayoutVersion) return storedSize == size;
    return version >= 1 && version < kPreferencesLayoutVersion && storedSize >= kFirstFieldOffset + kCrcSize &&
           storedSize < size;
}

PreferenceLoadResult Failure(PreferenceFileStatus status, Preferences& prefs) {
    prefs = Preferences{};
    PreferenceLoadResult result;
    result.status = status;
    switch (status) {
        case PreferenceFileStatus::Missing:
            break;
        case PreferenceFileStatus::NewerVersion:
            result.message = "Settings file is from a newer version; the defaults are used.";
            break;
        case PreferenceFileStatus::Unreadable:
            result.message = "Settings file cannot be read; the defaults are used.";
            break;
        default:
            result.message = "Settings file is damaged; the defaults are used.";
            break;
    }
    return result;
}

bool ReadHeaderBytes(const std::string& path, uint8_t (&header)[kRecordHeaderSize]) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (!stream) return false;
    const bool ok = std::fread(header, 1, sizeof header, stream) == sizeof header;
    std::fclose(stream);
    return ok;
}

}  // namespace

int32_t PreferenceRecordSize(const PreferenceTable& table, std::string* problem) {
    int32_t at = kFirstFieldOffset;
    for (const PreferenceSetting* s : ByOffset(table)) {
        if (s->offset != at || s->storedWidth <= 0) {
            if (problem) *problem = s->key + " at " + std::to_string(s->offset) + ", expected " + std::to_string(at);
            return 0;
        }
        at += s->storedWidth;
    }
    return at + kCrcSize;
}

std::vector<uint8_t> EncodePreferences(const PreferenceTable& table, const Preferences& prefs) {
    const int32_t size = PreferenceRecordSize(table);
    if (size == 0) return {};  // a layout with a gap or an overlap: write nothing
    std::vector<uint8_t> record(size_t(size), 0);
    WriteU32(record.data(), uint32_t(size));
    WriteU32(record.data() + 4, kPreferencesLayoutVersion);
    for (const PreferenceSetting& s : table.All()) s.encode(prefs, record.data());
    WriteU32(record.data() + size - kCrcSize, RecordCrc(record.data(), size - kCrcSize));
    return record;
}

bool DecodePreferences(const PreferenceTable& table, const uint8_t* record, size_t length, Preferences& prefs) {
    const int32_t size = PreferenceRecordSize(table);
    if (!record || size == 0 || length < size_t(kFirstFieldOffset)) return false;
    const uint32_t stored = ReadU32(record);
    if (!IsReadableRecord(ReadU32(record + 4), int32_t(std::min<uint32_t>(stored, INT32_MAX)), size)) return false;
    if (length < stored) return false;
    const int32_t crcAt = int32_t(stored) - kCrcSize;
    if (ReadU32(record + crcAt) != RecordCrc(record, crcAt)) return false;
    // An older layout holds a beginning of today's: the settings added since keep their defaults.
    Preferences decoded;
    for (const PreferenceSetting& s : table.All())
        if (s.offset + s.storedWidth <= crcAt) s.decode(record, decoded);
    prefs = std::move(decoded);
    return true;
}

PreferenceLoadResult ReadPreferences(const PreferenceTable& table, const ProgramDir& dir, Preferences& prefs) {
    const std::string relative = (std::filesystem::path(kUserCatalogsDir) / kPreferencesFileName).string();
    const std::string path = dir.Path(relative);
    std::error_code error;
    if (!FileExists(path)) {
        return Failure(std::filesystem::is_directory(path, error) ? PreferenceFileStatus::Unreadable
                                                                  : PreferenceFileStatus::Missing,
                       prefs);
    }
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return Failure(PreferenceFileStatus::Unreadable, prefs);
    if (size < uintmax_t(kRecordHeaderSize)) return Failure(PreferenceFileStatus::Truncated, prefs);

    // The header is judged before the record layer sees it: a damaged header must not make
    // it set up a record buffer of whatever size the bytes happen to say.
    uint8_t header[kRecordHeaderSize];
    if (!ReadHeaderBytes(path, header)) return Failure(PreferenceFileStatus::Unreadable, prefs);
    if (ReadU32(header + 4) != kPreferencesTag) return Failure(PreferenceFileStatus::WrongTag, prefs);
    const uint32_t version = ReadU32(header);
    if (version > kPreferencesLayoutVersion) return Failure(PreferenceFileStatus::NewerVersion, prefs);
    const int32_t recordSize = PreferenceRecordSize(table);
    const int32_t storedSize = ReadI32(header + 12);
    if (!IsReadableRecord(version, storedSize, recordSize) || ReadI32(header + 8) < 1)
        return Failure(PreferenceFileStatus::Damaged, prefs);
    if (size < uintmax_t(kRecordHeaderSize + storedSize))
        return Failure(PreferenceFileStatus::Truncated, prefs);

    RecordFileHandle file;
    if (!RecordFileOpen(dir, relative, RecordFileMode::ReadOnly, file))
        return Failure(PreferenceFileStatus::Unreadable, prefs);
    const uint8_t* record = nullptr;
    if (!RecordFileRead(file.get(), 0, record))
        return Failure(PreferenceFileStatus::Truncated, prefs);
    if (ReadU32(record) != uint32_t(storedSize) || ReadU32(record + 4) != version)
        return Failure(PreferenceFileStatus::Damaged, prefs);
    if (!DecodePreferences(table, record, file->buffer.size(), prefs))
        return Failure(PreferenceFileStatus::BadChecksum, prefs);
    return PreferenceLoadResult{PreferenceFileStatus::Loaded, {}, 0};
}

bool SavePreferences(const PreferenceTable& table, const ProgramDir& dir, const Preferences& prefs) {
    const std::vector<uint8_t> record = EncodePreferences(table, prefs);
    if (record.empty() || !MakeDirectory(dir.Path(kUserCatalogsDir))) return false;
    const RecordHeader header{kPreferencesLayoutVersion, kPreferencesTag, 1, int32_t(record.size())};
    return RecordFileWriteWhole(dir.Path(kUserCatalogsDir, kPreferencesFileName), header,
                                std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
}

RecordLayout PreferenceRecordLayout(const PreferenceTable& table) {
    RecordLayout layout;
    layout.name = "settings";
    layout.recordSize = PreferenceRecordSize(table);
    layout.filePattern = kPreferencesFileName;
    layout.headerTag = kPreferencesTag;
    layout.fields = {{"record_size", 0, FieldType::U32, 0}, {"layout_version", 4, FieldType::U32, 0}};
    for (const PreferenceSetting* s : ByOffset(table)) {
        if (s->kind == PreferenceKind::Bytes) {
            AddAlignStarFields(layout.fields, s->key, s->offset);
        } else {
            const int32_t length = s->storedType == FieldType::Text ? s->storedWidth : 0;
            layout.fields.push_back(RecordField{s->key, s->offset, s->storedType, length});
        }
    }
    layout.fields.push_back(RecordField{"crc32", layout.recordSize - kCrcSize, FieldType::U32, 0});
    return layout;
}

}  // namespace vsp
