#include "catalog/ObjectIndex.h"

#include <cstdio>
#include <string>

#include "records/RecordCodec.h"

namespace vsp {

namespace {

// Their names as `records dump` shows them, the entry's number appended.
constexpr BoundField<ObjectIndexEntry> kIndexFields[] = {
    {"catalog", 0, &ObjectIndexEntry::catalog},
    {"record", 4, &ObjectIndexEntry::record},
    {"ra", 8, &ObjectIndexEntry::ra},
    {"dec", kObjectIndexKeyOffset, &ObjectIndexEntry::dec},
    {"type", 16, &ObjectIndexEntry::type},
    {"mag", 18, &ObjectIndexEntry::magnitudeKey},
};

}  // namespace

ObjectIndexEntry DecodeObjectIndexEntry(const uint8_t* bytes) {
    return DecodeFields<ObjectIndexEntry>(kIndexFields, bytes);
}

void EncodeObjectIndexEntry(const ObjectIndexEntry& e, uint8_t* bytes) {
    EncodeFields<ObjectIndexEntry>(kIndexFields, e, bytes);
}

int32_t ObjectIndexSearch(CatalogDb& index, InfoSink& messages, int32_t key) {
    if (!index.IsOpen()) return -1;
    int32_t low = 1;
    int32_t high = index.RecordCount() - 1;
    if (high < low) return 0;
    uint8_t record[kObjectIndexRecordSize];
    int32_t middle = 0;
    for (;;) {
        middle = (low + high) / 2;
        if (!index.Read(uint16_t(middle), record, sizeof record)) {
            char text[64];
            std::snprintf(text, sizeof text, "Can't find Object record number %d", int(middle));
            messages.InfoBox(text, "");
            return -1;
        }
        const int64_t difference = int64_t(key) - ReadI32(record + kObjectIndexKeyOffset);
        if (difference < 0) {
            high = middle - 1;
        } else {
            low = middle + 1;
        }
        if (difference == 0 || low + high < 2 || low > high) break;
    }
    return middle;
}

RecordLayout ObjectIndexLayout() {
    RecordLayout layout{"object index", kObjectIndexRecordSize, "vespertar_obj_*_idx.ppc",
                        kObjectIndexTypeCode, {}};
    for (int32_t i = 0; i < kObjectIndexEntriesPerRecord; ++i) {
        const int32_t base = i * kObjectIndexEntrySize;
        for (RecordField field : LayoutFields<ObjectIndexEntry>(kIndexFields)) {
            field.name += std::to_string(i);
            field.offset += base;
            layout.fields.push_back(std::move(field));
        }
    }
    return layout;
}

}  // namespace vsp
