#include "satellites/SatelliteDatabase.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/Text.h"
#include "records/RecordFile.h"

namespace vsp {
namespace {

constexpr int kNameOffset = 0;
constexpr int kLine1Offset = kSatelliteFieldSize;
constexpr int kLine2Offset = 2 * kSatelliteFieldSize;
static_assert(3 * kSatelliteFieldSize == kSatelliteRecordSize);

// The opened path below the program directory; the record layer keeps its writable copy
// under usercatalogs/ with the same relative path.
std::string RelativePath() { return std::string(kDataDir) + std::string(kSatelliteFile); }

void EncodeField(const std::string& text, uint8_t* field) {
    std::memset(field, 0, kSatelliteFieldSize);
    std::memcpy(field, text.data(), std::min<size_t>(text.size(), kSatelliteFieldSize - 1));
}

std::string DecodeField(const uint8_t* field) {
    const auto* text = reinterpret_cast<const char*>(field);
    return std::string(text, strnlen(text, kSatelliteFieldSize - 1));
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(uint8_t(a)) == std::tolower(uint8_t(b));
           });
}

// The catalog number of an element set: columns 2 to 6 of line 1.
std::string_view CatalogNumber(const std::string& line1) {
    return line1.size() < 7 ? std::string_view() : TrimBlanks(std::string_view(line1).substr(2, 5));
}

}  // namespace

void EncodeSatelliteRecord(const SatelliteRecord& record, uint8_t* bytes) {
    EncodeField(record.name, bytes + kNameOffset);
    EncodeField(record.line1, bytes + kLine1Offset);
    EncodeField(record.line2, bytes + kLine2Offset);
}

SatelliteRecord DecodeSatelliteRecord(const uint8_t* bytes) {
    return {DecodeField(bytes + kNameOffset), DecodeField(bytes + kLine1Offset), DecodeField(bytes + kLine2Offset)};
}

struct SatelliteDatabase::Impl {
    RecordFileHandle file;
};

SatelliteDatabase::SatelliteDatabase(const ProgramDir& dir, InfoSink& messages)
    : dir_(dir), messages_(messages), impl_(std::make_unique<Impl>()) {}

SatelliteDatabase::~SatelliteDatabase() = default;

bool SatelliteDatabase::Open() {
    RecordFileClose(impl_->file);
    return RecordFileOpen(dir_, RelativePath(), RecordFileMode::ReadCurrent, impl_->file);
}

bool SatelliteDatabase::IsOpen() const { return impl_->file != nullptr; }

int SatelliteDatabase::Count() const { return RecordFileCount(impl_->file.get()); }

std::string SatelliteDatabase::Path() const { return dir_.Path(kUserCatalogsDir, RelativePath()); }

bool SatelliteDatabase::ReadSatelliteRecord(int index, SatelliteRecord& out) {
    if (!IsOpen()) {
        messages_.InfoBox(kSatelliteDatabaseNotOpen, "");
        return false;
    }
    const uint8_t* bytes = nullptr;
    if (index < 0 || index >= Count() || impl_->file->recordSize < kSatelliteRecordSize ||
        !RecordFileRead(impl_->file.get(), uint32_t(index), bytes)) {
        messages_.InfoBox(kSatelliteRecordUnreadable, "");
        return false;
    }
    out = DecodeSatelliteRecord(bytes);
    return true;
}

bool SatelliteDatabase::ReadAll(std::vector<SatelliteRecord>& out) {
    out.clear();
    if (!IsOpen()) {
        messages_.InfoBox(kSatelliteDatabaseNotOpen, "");
        return false;
    }
    out.resize(size_t(Count()));
    for (int i = 0; i < Count(); ++i)
        if (!ReadSatelliteRecord(i, out[size_t(i)])) return false;
    return true;
}

int SatelliteDatabase::Find(std::string_view name) {
    const std::string_view wanted = TrimBlanks(name);
    std::vector<SatelliteRecord> records;
    if (wanted.empty() || !IsOpen() || !ReadAll(records)) return -1;
    for (size_t i = 0; i < records.size(); ++i)
        if (StartsWithIgnoringCase(TrimBlanks(records[i].name), wanted)) return int(i);
    for (size_t i = 0; i < records.size(); ++i)
        if (CatalogNumber(records[i].line1) == wanted) return int(i);
    return -1;
}

bool SatelliteDatabase::Replace(const std::vector<SatelliteRecord>& records, std::string& error) {
    if (records.size() > size_t(kMaxSatelliteRecords)) {
        error = "A satellite database holds at most " + std::to_string(kMaxSatelliteRecords) + " element sets.";
        return false;
    }
    std::string bytes(records.size() * kSatelliteRecordSize, '\0');
    for (size_t i = 0; i < records.size(); ++i)
        EncodeSatelliteRecord(records[i], reinterpret_cast<uint8_t*>(bytes.data()) + i * kSatelliteRecordSize);
    const RecordHeader header{.tag = kSatelliteTypeCode,
                              .count = int32_t(records.size()),
                              .recordSize = kSatelliteRecordSize};
    RecordFileClose(impl_->file);
    MakeDirectory(dir_.Root());
    MakeDirectory(dir_.Path(kUserCatalogsDir));
    MakeDirectory(dir_.Path(kUserCatalogsDir, kDataDir));
    const bool written = RecordFileWriteWhole(Path(), header, bytes);
    if (!written) error = "Could not write " + Path();
    return Open() && written;
}

}  // namespace vsp
