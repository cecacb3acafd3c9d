#include "catalog/UserObject.h"

#include <cstdio>
#include <cstring>

#include "catalog/Designation.h"

namespace vsp {

void UpgradeUserObjectBytes(uint8_t* bytes, uint16_t fileVersion) {
    if (fileVersion >= kObjectFileVersion) return;
    std::memmove(bytes + kUserObjectNameOffset, bytes + 40, kUserObjectNameSize);
    std::memset(bytes + 40, 0, 4);
}

UserObjectRecord DecodeUserObject(const uint8_t* bytes) {
    UserObjectRecord r;
    r.object = DecodeObjectRecord(bytes);
    std::memcpy(r.name, bytes + kUserObjectNameOffset, kUserObjectNameSize);
    r.name[kUserObjectNameSize - 1] = '\0';
    return r;
}

void EncodeUserObject(const UserObjectRecord& r, uint8_t* bytes) {
    EncodeObjectRecord(r.object, bytes);
    std::memset(bytes + kUserObjectNameOffset, 0, kUserObjectNameSize);
    std::memcpy(bytes + kUserObjectNameOffset, r.name, strnlen(r.name, kUserObjectNameSize - 1));
}

void FillUserObjectDefaultName(UserObjectRecord& record, const CatalogTable& catalogs) {
    if (record.name[0] != '\0') return;
    const std::string text =
        CatalogDesignation(catalogs, record.object.catalog, record.object.number);
    std::snprintf(record.name, sizeof record.name, "%s", text.c_str());
}

bool UserObjectRead(CatalogDb& users, InfoSink& messages, const CatalogTable& catalogs,
                    int32_t index, UserObjectRecord& out) {
    if (!users.IsOpen()) {
        messages.InfoBox(kUserObjectDbNotOpen, "");
        return false;
    }
    if (index < 0 || index >= users.RecordCount()) return false;
    uint8_t bytes[kUserObjectRecordSize];
    if (!users.Read(uint16_t(index), bytes, sizeof bytes)) {
        messages.InfoBox(kUserObjectReadFailed, "");
        return false;
    }
    UpgradeUserObjectBytes(bytes, users.Version());
    UserObjectRecord record = DecodeUserObject(bytes);
    FillUserObjectDefaultName(record, catalogs);
    out = record;
    return true;
}

namespace {

// A record in the current layout must not land in a file whose version says otherwise: the
// records already there are rewritten in the current layout and the file is stamped first.
bool UpgradeUserObjectFile(CatalogDb& users) {
    const uint16_t version = users.Version();
    if (version >= kObjectFileVersion) return true;
    uint8_t bytes[kUserObjectRecordSize];
    const int32_t count = users.RecordCount();
    for (int32_t i = 0; i < count; ++i) {
        if (!users.Read(uint16_t(i), bytes, sizeof bytes)) return false;
        UpgradeUserObjectBytes(bytes, version);
        if (!users.Write(uint16_t(i), bytes, sizeof bytes)) return false;
    }
    return RecordFileSetVersion(users.File(), kObjectFileVersion);
}

}  // namespace

bool UserObjectWrite(CatalogDb& users, uint16_t index, const UserObjectRecord& record) {
    if (users.IsOpen() && !UpgradeUserObjectFile(users)) return false;
    uint8_t bytes[kUserObjectRecordSize];
    EncodeUserObject(record, bytes);
    return users.Write(index, bytes, sizeof bytes);
}

RecordLayout UserObjectLayout() {
    RecordLayout layout = ObjectRecordLayout();
    layout.name = "user object";
    layout.recordSize = kUserObjectRecordSize;
    layout.filePattern = std::string(kUserObjectFile);
    layout.headerTag = kUserObjectTypeCode;
    layout.fields.push_back({"name", kUserObjectNameOffset, FieldType::Text, kUserObjectNameSize});
    return layout;
}

}  // namespace vsp
