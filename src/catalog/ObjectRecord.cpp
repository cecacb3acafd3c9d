#include "catalog/ObjectRecord.h"

#include <cstring>

#include "catalog/ObjectIndex.h"
#include "catalog/UserObject.h"
#include "records/RecordCodec.h"

namespace vsp {

namespace {

constexpr BoundField<ObjectRecord> kObjectFields[] = {
    {"catalog", 0, &ObjectRecord::catalog},        {"number", 4, &ObjectRecord::number},
    {"type", 8, &ObjectRecord::type},              {"constellation", 12, &ObjectRecord::constellation},
    {"ra", 16, &ObjectRecord::ra},                 {"dec", 20, &ObjectRecord::dec},
    {"magnitude", 24, &ObjectRecord::magnitude},   {"size_major", 28, &ObjectRecord::sizeMajor},
    {"size_minor", 32, &ObjectRecord::sizeMinor},  {"code1", 36, &ObjectRecord::code1},
    {"code2", 38, &ObjectRecord::code2},           {"link", 40, &ObjectRecord::link}};

}  // namespace

ObjectRecord DecodeObjectRecord(const uint8_t* bytes) {
    return DecodeFields<ObjectRecord>(kObjectFields, bytes);
}

void EncodeObjectRecord(const ObjectRecord& record, uint8_t* bytes) {
    EncodeFields<ObjectRecord>(kObjectFields, record, bytes);
}

bool ObjectRead(CatalogDb& objects, InfoSink& messages, int32_t index, ObjectRecord& out) {
    if (!objects.IsOpen()) {
        messages.InfoBox(kObjectDbNotOpen, "");
        return false;
    }
    if (index < 0 || index >= objects.RecordCount()) return false;
    uint8_t buffer[kObjectRecordBufferSize];
    if (!objects.Read(uint16_t(index), buffer, kObjectRecordSize)) {
        messages.InfoBox(kObjectReadFailed, "");
        return false;
    }
    buffer[kObjectRecordSize] = 0;
    out = DecodeObjectRecord(buffer);
    return true;
}

RecordLayout ObjectRecordLayout() {
    return RecordLayout{"object", kObjectRecordSize, "vespertar_obj_1*k.ppc", kObjectFileTypeCode,
                        LayoutFields<ObjectRecord>(kObjectFields)};
}

void RegisterObjectLayouts(RecordLayoutRegistry& registry) {
    registry.Add(ObjectRecordLayout());
    registry.Add(UserObjectLayout());
    registry.Add(ObjectIndexLayout());
}

}  // namespace vsp
