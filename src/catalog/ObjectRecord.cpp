#include "catalog/ObjectRecord.h"

#include <cstring>

#include "catalog/ObjectIndex.h"
#include "catalog/UserObject.h"

namespace vsp {

ObjectRecord DecodeObjectRecord(const uint8_t* bytes) {
    ObjectRecord r;
    r.catalog = ReadI32(bytes + 0);
    r.number = ReadI32(bytes + 4);
    r.type = ReadI32(bytes + 8);
    r.constellation = ReadI32(bytes + 12);
    r.ra = ReadF32(bytes + 16);
    r.dec = ReadF32(bytes + 20);
    r.magnitude = ReadF32(bytes + 24);
    r.sizeMajor = ReadF32(bytes + 28);
    r.sizeMinor = ReadF32(bytes + 32);
    r.code1 = ReadU16(bytes + 36);
    r.code2 = ReadU16(bytes + 38);
    r.link = ReadI32(bytes + 40);
    return r;
}

void EncodeObjectRecord(const ObjectRecord& r, uint8_t* bytes) {
    WriteI32(bytes + 0, r.catalog);
    WriteI32(bytes + 4, r.number);
    WriteI32(bytes + 8, r.type);
    WriteI32(bytes + 12, r.constellation);
    WriteF32(bytes + 16, r.ra);
    WriteF32(bytes + 20, r.dec);
    WriteF32(bytes + 24, r.magnitude);
    WriteF32(bytes + 28, r.sizeMajor);
    WriteF32(bytes + 32, r.sizeMinor);
    WriteU16(bytes + 36, r.code1);
    WriteU16(bytes + 38, r.code2);
    WriteI32(bytes + 40, r.link);
}

int ObjectRead(CatalogDb& objects, InfoSink& messages, int32_t index, ObjectRecord& out) {
    if (!objects.IsOpen()) {
        messages.InfoBox(kObjectDbNotOpen, "");
        return 0;
    }
    if (index < 0 || index >= objects.RecordCount()) return 0;
    uint8_t buffer[kObjectRecordBufferSize];
    if (!objects.Read(uint16_t(index), buffer, kObjectRecordSize)) {
        messages.InfoBox(kObjectReadFailed, "");
        return 0;
    }
    buffer[kObjectRecordSize] = 0;
    out = DecodeObjectRecord(buffer);
    return 1;
}

RecordLayout ObjectRecordLayout() {
    return RecordLayout{"object",
                        kObjectRecordSize,
                        "vespertar_obj_1*k.ppc",
                        kObjectFileTypeCode,
                        {{"catalog", 0, FieldType::I32, 0},
                         {"number", 4, FieldType::I32, 0},
                         {"type", 8, FieldType::I32, 0},
                         {"constellation", 12, FieldType::I32, 0},
                         {"ra", 16, FieldType::F32, 0},
                         {"dec", 20, FieldType::F32, 0},
                         {"magnitude", 24, FieldType::F32, 0},
                         {"size_major", 28, FieldType::F32, 0},
                         {"size_minor", 32, FieldType::F32, 0},
                         {"code1", 36, FieldType::U16, 0},
                         {"code2", 38, FieldType::U16, 0},
                         {"link", 40, FieldType::I32, 0}}};
}

void RegisterObjectLayouts(RecordLayoutRegistry& registry) {
    registry.Add(ObjectRecordLayout());
    registry.Add(UserObjectLayout());
    registry.Add(ObjectIndexLayout());
}

}  // namespace vsp
