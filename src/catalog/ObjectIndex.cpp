#include "catalog/ObjectIndex.h"

#include <cstdio>
#include <string>

namespace vsp {

ObjectIndexEntry DecodeObjectIndexEntry(const uint8_t* bytes) {
    ObjectIndexEntry e;
    e.catalog = ReadI32(bytes + 0);
    e.record = ReadI32(bytes + 4);
    e.ra = ReadI32(bytes + 8);
    e.dec = ReadI32(bytes + 12);
    e.type = ReadU16(bytes + 16);
    e.magnitudeKey = ReadI16(bytes + 18);
    return e;
}

void EncodeObjectIndexEntry(const ObjectIndexEntry& e, uint8_t* bytes) {
    WriteI32(bytes + 0, e.catalog);
    WriteI32(bytes + 4, e.record);
    WriteI32(bytes + 8, e.ra);
    WriteI32(bytes + 12, e.dec);
    WriteU16(bytes + 16, e.type);
    WriteI16(bytes + 18, e.magnitudeKey);
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
        const std::string n = std::to_string(i);
        layout.fields.push_back({"catalog" + n, base + 0, FieldType::I32, 0});
        layout.fields.push_back({"record" + n, base + 4, FieldType::I32, 0});
        layout.fields.push_back({"ra" + n, base + 8, FieldType::I32, 0});
        layout.fields.push_back({"dec" + n, base + 12, FieldType::I32, 0});
        layout.fields.push_back({"type" + n, base + 16, FieldType::U16, 0});
        layout.fields.push_back({"mag" + n, base + 18, FieldType::I16, 0});
    }
    return layout;
}

}  // namespace vsp
