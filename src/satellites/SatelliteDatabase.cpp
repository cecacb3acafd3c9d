#include "satellites/SatelliteDatabase.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

#include "platform/ParseNumber.h"
#include "platform/Text.h"
#include "satellites/CatalogNumber.h"
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

std::string_view FieldText(const uint8_t* field) {
    const auto* text = reinterpret_cast<const char*>(field);
    return std::string_view(text, strnlen(text, kSatelliteFieldSize - 1));
}

std::string DecodeField(const uint8_t* field) { return std::string(FieldText(field)); }

size_t FindIgnoringCase(std::string_view text, std::string_view part) {
    const auto at = std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
        return std::tolower(uint8_t(a)) == std::tolower(uint8_t(b));
    });
    return at == text.end() ? std::string_view::npos : size_t(at - text.begin());
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && FindIgnoringCase(text.substr(0, prefix.size()), prefix) == 0;
}

// The number in decimal ("270000") or as the lines write it ("T0000", "00005").
bool CatalogNumberStartsWith(const SatelliteRecord& record, std::string_view wanted) {
    const std::optional<int64_t> number = SatelliteCatalogNumber(record);
    if (number && std::to_string(*number).starts_with(wanted)) return true;
    return record.largeCatalogNumber == 0 && record.line1.size() >= 7 &&
           StartsWithIgnoringCase(TrimBlanks(std::string_view(record.line1).substr(2, 5)), wanted);
}

}  // namespace

void EncodeSatelliteRecord(const SatelliteRecord& record, uint8_t* bytes) {
    const int64_t large = record.largeCatalogNumber;
    const bool keepsNumber = large > kLargestAlpha5Number && large <= kLargestCatalogNumber;
    EncodeField(keepsNumber ? record.name.substr(0, kSatelliteNameWithNumberLength) : record.name, bytes + kNameOffset);
    if (keepsNumber) {
        const std::string number = kLargeNumberMarker + std::to_string(large);
        std::memcpy(bytes + kNameOffset + strnlen(reinterpret_cast<const char*>(bytes + kNameOffset), kSatelliteFieldSize) + 1,
                    number.data(), number.size());
    }
    EncodeField(record.line1, bytes + kLine1Offset);
    EncodeField(record.line2, bytes + kLine2Offset);
}

SatelliteRecord DecodeSatelliteRecord(const uint8_t* bytes) {
    SatelliteRecord record{DecodeField(bytes + kNameOffset), DecodeField(bytes + kLine1Offset),
                           DecodeField(bytes + kLine2Offset)};
    // The number kept after the name: '#' and six to nine digits, NUL-terminated inside the field.
    const auto* after = reinterpret_cast<const char*>(bytes + kNameOffset) + record.name.size() + 1;
    const size_t room = size_t(kSatelliteFieldSize) - record.name.size() - 1;
    if (room > 1 && after[0] == kLargeNumberMarker) {
        const std::string_view digits(after + 1, strnlen(after + 1, room - 1));
        int64_t number = 0;
        if (digits.size() < room - 1 && digits.size() >= 6 && digits.size() <= 9 && ParseWhole(digits, number) &&
            number > kLargestAlpha5Number)
            record.largeCatalogNumber = number;
    }
    return record;
}

struct SatelliteDatabase::Impl {
    RecordFileHandle file;
    // Every record, read at one go when the database is opened and the file holds all that its
    // header counts. Otherwise (a cut or damaged file) this stays empty and each record is read
    // by itself, failing where the file ends as it always did.
    std::vector<uint8_t> records;
    bool whole = false;

    void ReadWhole(uint32_t count) {
        whole = false;
        records.clear();
        const int32_t size = file->recordSize;
        if (count > 0 && (size < kSatelliteRecordSize || !RecordFileHolds(file.get(), 0, count))) return;
        try {
            records.resize(size_t(count) * size_t(size));  // no more than the file's length
        } catch (const std::bad_alloc&) {
            return;
        }
        whole = count == 0 || RecordFileReadMany(file.get(), 0, count, records.data());
        if (!whole) records = {};
    }
    const uint8_t* Record(int index) const { return records.data() + size_t(index) * size_t(file->recordSize); }
};

SatelliteDatabase::SatelliteDatabase(const ProgramDir& dir, InfoSink& messages)
    : dir_(dir), messages_(messages), impl_(std::make_unique<Impl>()) {}

SatelliteDatabase::~SatelliteDatabase() = default;

bool SatelliteDatabase::Open() {
    RecordFileClose(impl_->file);
    impl_->records = {};
    impl_->whole = false;
    if (!RecordFileOpen(dir_, RelativePath(), RecordFileMode::ReadCurrent, impl_->file)) return false;
    impl_->ReadWhole(uint32_t(Count()));
    return true;
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
    if (index >= 0 && index < Count() && impl_->whole) bytes = impl_->Record(index);
    if (!bytes && (index < 0 || index >= Count() || impl_->file->recordSize < kSatelliteRecordSize ||
                   !RecordFileRead(impl_->file.get(), uint32_t(index), bytes))) {
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

bool SatelliteDatabase::CanReadAll() {
    std::vector<SatelliteRecord> records;
    return (IsOpen() && impl_->whole) || ReadAll(records);
}

int SatelliteDatabase::Find(std::string_view name) {
    const std::string_view wanted = TrimBlanks(name);
    if (wanted.empty() || !IsOpen()) return -1;
    // The names are compared where they lie in the whole file's records; a file read record
    // by record is read whole first, with the read's message when a record cannot be had.
    std::vector<SatelliteRecord> read;
    if (!impl_->whole && !ReadAll(read)) return -1;
    const size_t count = impl_->whole ? size_t(Count()) : read.size();
    const auto nameOf = [&](size_t i) -> std::string_view {
        return impl_->whole ? FieldText(impl_->Record(int(i)) + kNameOffset) : std::string_view(read[i].name);
    };
    for (size_t i = 0; i < count; ++i)
        if (StartsWithIgnoringCase(TrimBlanks(nameOf(i)), wanted)) return int(i);
    const std::optional<int64_t> number = ParseTypedCatalogNumber(wanted);
    for (size_t i = 0; number && i < count; ++i)
        if (SatelliteCatalogNumber(impl_->whole ? DecodeSatelliteRecord(impl_->Record(int(i))) : read[i]) == number)
            return int(i);
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
    RecordFileClose(impl_->file);
    const bool written = ReplaceWorkingCopy(dir_, RelativePath(), kSatelliteTypeCode, kSatelliteRecordSize,
                                            records.size(), bytes, error);
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
        else if (CatalogNumberStartsWith(records[i], wanted)) ranked[2].push_back(int(i));
    }
    std::vector<int> found;
    for (const std::vector<int>& rank : ranked) found.insert(found.end(), rank.begin(), rank.end());
    if (found.size() > limit) found.resize(limit);
    return found;
}

}  // namespace vsp
