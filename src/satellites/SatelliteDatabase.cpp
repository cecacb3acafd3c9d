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

size_t FindIgnoringCase(std::string_view text, std::string_view part) {
    const auto at = std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
        return std::tolower(uint8_t(a)) == std::tolower(uint8_t(b));
    });
    return at == text.end() ? std::string_view::npos : size_t(at - text.begin());
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && FindIgnoringCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

std::string_view CatalogNumber(const std::string& line1) {
    return line1.size() < 7 ? std::string_view() : TrimBlanks(std::string_view(line1).substr(2, 5));
}

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

std::vector<int> MatchSatellites(const std::vector<SatelliteRecord>& records, std::string_view typed, size_t limit) {
    const std::string_view wanted = TrimBlanks(typed);
    if (wanted.empty()) return {};
    // 0: the name begins with it, 1: the name holds it further on, 2: the number begins with it.
    std::vector<std::vector<int>> ranked(3);
    for (size_t i = 0; i < records.size(); ++i) {
        const size_t at = FindIgnoringCase(TrimBlanks(records[i].name), wanted);
        if (at != std::string_view::npos) ranked[at == 0 ? 0 : 1].push_back(int(i));
        else if (CatalogNumber(records[i].line1).starts_with(wanted)) ranked[2].push_back(int(i));
    }
    std::vector<int> found;
    for (const std::vector<int>& rank : ranked) found.insert(found.end(), rank.begin(), rank.end());
    if (found.size() > limit) found.resize(limit);
    return found;
}

}  // namespace vsp
