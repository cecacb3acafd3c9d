#include "catalog/ListEntry.h"

#include <algorithm>
#include <cstring>

#include "catalog/CatalogTable.h"
#include "records/RecordFile.h"

namespace vsp {

void EncodeListEntry(const ListEntry& entry, uint8_t* bytes) {
    std::memset(bytes, 0, kListEntrySize);
    std::memcpy(bytes, entry.name.data(), std::min(entry.name.size(), size_t(kListEntryNameSize - 1)));
    WriteI32(bytes + 16, entry.number);
    WriteI16(bytes + 20, entry.listNumber);
    WriteI16(bytes + 22, entry.catalog);
    WriteI16(bytes + 24, entry.type);
    WriteI16(bytes + 26, entry.constellation);
    WriteF32(bytes + 28, entry.ra);
    WriteF32(bytes + 32, entry.dec);
    WriteI32(bytes + 36, entry.sourceIndex);
    WriteU16(bytes + 40, entry.code1);
    WriteU16(bytes + 42, entry.code2);
    WriteI16(bytes + 48, entry.size1);
    WriteI16(bytes + 50, entry.size2);
    WriteI16(bytes + 52, entry.kind);
    bytes[54] = entry.code2 <= 127 ? uint8_t(entry.code2) : 0;
    bytes[55] = entry.code1 <= 255 ? uint8_t(entry.code1) : 0;
    WriteI32(bytes + 56, entry.magnitudeX10);
}

ListEntry DecodeListEntry(const uint8_t* bytes) {
    ListEntry entry;
    const char* name = reinterpret_cast<const char*>(bytes);
    entry.name.assign(name, strnlen(name, kListEntryNameSize - 1));
    entry.number = ReadI32(bytes + 16);
    entry.listNumber = ReadI16(bytes + 20);
    entry.catalog = ReadI16(bytes + 22);
    entry.type = ReadI16(bytes + 24);
    entry.constellation = ReadI16(bytes + 26);
    entry.ra = ReadF32(bytes + 28);
    entry.dec = ReadF32(bytes + 32);
    entry.sourceIndex = ReadI32(bytes + 36);
    entry.code1 = ReadU16(bytes + 40);
    entry.code2 = ReadU16(bytes + 42);
    // Files written by readers that know only the exchange bytes carry the codes there.
    if (entry.code1 == 0) entry.code1 = bytes[55];
    if (entry.code2 == 0) entry.code2 = uint16_t(int8_t(bytes[54]) < 0 ? 0 : bytes[54]);
    entry.size1 = ReadI16(bytes + 48);
    entry.size2 = ReadI16(bytes + 50);
    entry.kind = ReadI16(bytes + 52);
    entry.magnitudeX10 = ReadI32(bytes + 56);
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

}  // namespace vsp
