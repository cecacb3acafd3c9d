#include "catalog/ListEntry.h"

#include <algorithm>
#include <cstring>

#include "catalog/CatalogTable.h"
#include "records/RecordCodec.h"

namespace vsp {
namespace {

// The name fills the first kListEntryNameSize bytes; 44..47 are unused.
constexpr BoundField<ListEntry> kListEntryFields[] = {
    {"number", 16, &ListEntry::number},
    {"list_number", 20, &ListEntry::listNumber},
    {"catalog", 22, &ListEntry::catalog},
    {"type", 24, &ListEntry::type},
    {"constellation", 26, &ListEntry::constellation},
    {"ra_hours", 28, &ListEntry::ra},
    {"dec_deg", 32, &ListEntry::dec},
    {"source_index", 36, &ListEntry::sourceIndex},
    {"code1", 40, &ListEntry::code1},
    {"code2", 42, &ListEntry::code2},
    {"size1_arcmin", 48, &ListEntry::size1},
    {"size2_arcmin", 50, &ListEntry::size2},
    {"kind", 52, &ListEntry::kind},
    {"magnitude_x10", 56, &ListEntry::magnitudeX10},
};
// The exchange bytes: the two codes as readers that know only these find them.
constexpr int kExchangeCode2 = 54, kExchangeCode1 = 55;
constexpr int kDesignationOffset = 60;

}  // namespace

void EncodeListEntry(const ListEntry& entry, uint8_t* bytes) {
    std::memset(bytes, 0, kListEntrySize);
    std::memcpy(bytes, entry.name.data(), std::min(entry.name.size(), size_t(kListEntryNameSize - 1)));
    EncodeFields<ListEntry>(kListEntryFields, entry, bytes);
    bytes[kExchangeCode2] = entry.code2 <= 127 ? uint8_t(entry.code2) : 0;
    bytes[kExchangeCode1] = entry.code1 <= 255 ? uint8_t(entry.code1) : 0;
    std::memcpy(bytes + kDesignationOffset, entry.designation.data(),
                std::min(entry.designation.size(), size_t(kListEntryDesignationSize)));
}

ListEntry DecodeListEntry(const uint8_t* bytes) {
    ListEntry entry = DecodeFields<ListEntry>(kListEntryFields, bytes);
    const char* name = reinterpret_cast<const char*>(bytes);
    entry.name.assign(name, strnlen(name, kListEntryNameSize - 1));
    const char* designation = reinterpret_cast<const char*>(bytes + kDesignationOffset);
    entry.designation.assign(designation, strnlen(designation, kListEntryDesignationSize));
    // Files written by readers that know only the exchange bytes carry the codes there.
    if (entry.code1 == 0) entry.code1 = bytes[kExchangeCode1];
    if (entry.code2 == 0) entry.code2 = uint16_t(int8_t(bytes[kExchangeCode2]) < 0 ? 0 : bytes[kExchangeCode2]);
    return entry;
}

EntryDesignation ListEntryDesignation(const ListEntry& entry) {
    switch (entry.kind) {
        case kEntryPlanet: return {kCatalogPlanet, entry.listNumber};
        case kEntryMessier: return {kCatalogMessier, entry.listNumber + 1};
        case kEntryCaldwell: return {kCatalogCaldwell, entry.listNumber + 1};
        case kEntryHerschel: return {kCatalogHerschel, entry.listNumber + 1};
        case kEntrySac: return {kCatalogSac, entry.listNumber + 1};
        default: return {entry.catalog, entry.number};
    }
}

bool IsMinorBodyEntry(const ListEntry& entry) {
    return entry.kind == kEntryComet || entry.kind == kEntryMinorPlanet;
}

bool SameListTarget(const ListEntry& a, const ListEntry& b) {
    if (IsMinorBodyEntry(a) || IsMinorBodyEntry(b))
        return a.kind == b.kind && a.designation == b.designation;
    return a.catalog == b.catalog && a.number == b.number;
}

}  // namespace vsp
