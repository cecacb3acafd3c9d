#include "solarsystem/MinorBodyDatabase.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "catalog/CatalogFiles.h"
#include "records/RecordFile.h"

namespace vsp {
namespace {

constexpr int kKindOffset = 0;
constexpr int kNumberOffset = 4;
constexpr int kDesignationOffset = 8;
constexpr int kNameOffset = 32;
constexpr int kValuesOffset = 72;
constexpr int kValueCount = 9;
static_assert(kNameOffset == kDesignationOffset + int(kMinorBodyDesignationSize));
static_assert(kValuesOffset == kNameOffset + int(kMinorBodyNameSize));
static_assert(kValuesOffset + 8 * kValueCount == kMinorBodyRecordSize);

std::string RelativePath(MinorBodyKind kind) {
    return std::string(kDataDir) + std::string(kind == MinorBodyKind::Comet ? kCometFile : kMinorPlanetFile);
}

void EncodeText(const std::string& text, size_t size, uint8_t* field) {
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), std::min(text.size(), size - 1));
}

std::string DecodeText(const uint8_t* field, size_t size) {
    const auto* text = reinterpret_cast<const char*>(field);
    return std::string(text, strnlen(text, size - 1));
}

// The doubles in their stored order.
std::array<double*, kValueCount> Values(MinorBodyRecord& r) {
    OrbitalElements& o = r.elements.orbit;
    return {&o.epochJd, &o.perihelionJd, &o.perihelionDistance, &o.eccentricity, &o.inclination,
            &o.node, &o.perihelionArgument, &r.elements.absoluteMagnitude, &r.elements.slope};
}

}  // namespace

void EncodeMinorBodyRecord(const MinorBodyRecord& record, uint8_t* bytes) {
    std::memset(bytes, 0, kMinorBodyRecordSize);
    bytes[kKindOffset] = uint8_t(record.elements.kind);
    WriteU32(bytes + kNumberOffset, record.number);
    EncodeText(record.designation, kMinorBodyDesignationSize, bytes + kDesignationOffset);
    EncodeText(record.name, kMinorBodyNameSize, bytes + kNameOffset);
    MinorBodyRecord copy = record;
    const auto values = Values(copy);
    for (int i = 0; i < kValueCount; ++i) WriteF64(bytes + kValuesOffset + 8 * i, *values[size_t(i)]);
}

bool DecodeMinorBodyRecord(const uint8_t* bytes, MinorBodyRecord& out) {
    const uint8_t kind = bytes[kKindOffset];
    if (kind != uint8_t(MinorBodyKind::Comet) && kind != uint8_t(MinorBodyKind::MinorPlanet)) return false;
    out = MinorBodyRecord{};
    out.elements.kind = MinorBodyKind(kind);
    out.number = ReadU32(bytes + kNumberOffset);
    out.designation = DecodeText(bytes + kDesignationOffset, kMinorBodyDesignationSize);
    out.name = DecodeText(bytes + kNameOffset, kMinorBodyNameSize);
    const auto values = Values(out);
    for (int i = 0; i < kValueCount; ++i) *values[size_t(i)] = ReadF64(bytes + kValuesOffset + 8 * i);
    return true;
}

struct MinorBodyDatabase::Impl {
    RecordFileHandle file;
};

MinorBodyDatabase::MinorBodyDatabase(const ProgramDir& dir, InfoSink& messages, MinorBodyKind kind)
    : dir_(dir), messages_(messages), kind_(kind), impl_(std::make_unique<Impl>()) {}

MinorBodyDatabase::~MinorBodyDatabase() = default;

bool MinorBodyDatabase::Open() {
    RecordFileClose(impl_->file);
    return RecordFileOpen(dir_, RelativePath(kind_), RecordFileMode::ReadCurrent, impl_->file);
}

int MinorBodyDatabase::Count() const { return RecordFileCount(impl_->file.get()); }

std::string MinorBodyDatabase::Path() const { return dir_.Path(kUserCatalogsDir, RelativePath(kind_)); }

bool MinorBodyDatabase::Read(int index, MinorBodyRecord& out) {
    const uint8_t* bytes = nullptr;
    if (!impl_->file || index < 0 || index >= Count() || impl_->file->recordSize < kMinorBodyRecordSize ||
        !RecordFileRead(impl_->file.get(), uint32_t(index), bytes) || !DecodeMinorBodyRecord(bytes, out)) {
        messages_.InfoBox("Could not read record " + std::to_string(index) + " of " + Path(), "");
        return false;
    }
    return true;
}

bool MinorBodyDatabase::ReadAll(std::vector<MinorBodyRecord>& out) {
    out.assign(size_t(Count()), MinorBodyRecord{});
    for (int i = 0; i < Count(); ++i)
        if (!Read(i, out[size_t(i)])) return false;
    return true;
}

bool MinorBodyDatabase::Replace(const std::vector<MinorBodyRecord>& records, std::string& error) {
    if (records.size() > size_t(kMaxMinorBodyRecords)) {
        error = "A database holds at most " + std::to_string(kMaxMinorBodyRecords) + " objects.";
        return false;
    }
    std::string bytes(records.size() * kMinorBodyRecordSize, '\0');
    for (size_t i = 0; i < records.size(); ++i)
        EncodeMinorBodyRecord(records[i], reinterpret_cast<uint8_t*>(bytes.data()) + i * kMinorBodyRecordSize);
    RecordFileClose(impl_->file);
    const uint32_t tag = kind_ == MinorBodyKind::Comet ? kCometTypeCode : kMinorPlanetTypeCode;
    const bool written =
        ReplaceWorkingCopy(dir_, RelativePath(kind_), tag, kMinorBodyRecordSize, records.size(), bytes, error);
    return Open() && written;
}

bool LoadMinorBodies(const ProgramDir& dir, InfoSink& messages, MinorBodies& out) {
    out = MinorBodies{};
    MinorBodyDatabase comets(dir, messages, MinorBodyKind::Comet);
    MinorBodyDatabase minorPlanets(dir, messages, MinorBodyKind::MinorPlanet);
    return (!comets.Open() || comets.ReadAll(out.comets)) &&
           (!minorPlanets.Open() || minorPlanets.ReadAll(out.minorPlanets));
}

std::vector<const MinorBodyRecord*> FindMinorBodies(const MinorBodies& bodies, std::string_view typed, size_t limit) {
    std::vector<const MinorBodyRecord*> found;
    for (const auto* records : {&bodies.comets, &bodies.minorPlanets}) {
        for (const MinorBodyRecord& record : *records) {
            if (NamesMinorBody(record, typed)) found.push_back(&record);
        }
    }
    if (!found.empty()) {
        if (found.size() > limit) found.resize(limit);
        return found;
    }
    for (const auto* records : {&bodies.comets, &bodies.minorPlanets}) {
        for (const int index : MatchMinorBodies(*records, typed, limit)) {
            if (found.size() < limit) found.push_back(&(*records)[size_t(index)]);
        }
    }
    return found;
}

}  // namespace vsp
