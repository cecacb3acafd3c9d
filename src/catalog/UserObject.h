#pragma once
// The user's own objects ("usercatalogs/vespertar_common_objects.ppc"): 64-byte records, an
// object record followed by a 20-byte name. Files before version 26 had no link field, so
// their name sits at byte 40.

#include <cstdint>
#include <string_view>

#include "catalog/CatalogTable.h"
#include "catalog/ObjectRecord.h"
#include "platform/InfoSink.h"
#include "records/CatalogDb.h"
#include "records/RecordLayout.h"

namespace vsp {

inline constexpr int32_t kUserObjectRecordSize = 64;
inline constexpr int32_t kUserObjectNameOffset = 44;
inline constexpr int32_t kUserObjectNameSize = 20;
inline constexpr uint32_t kUserObjectTypeCode = 0x706C3133;
inline constexpr std::string_view kUserObjectFile = "vespertar_common_objects.ppc";

inline constexpr std::string_view kUserObjectDbNotOpen = "User Object database isn't open!";
inline constexpr std::string_view kUserObjectReadFailed = "Could not retrieve user object record!";

struct UserObjectRecord {
    ObjectRecord object;
    char name[kUserObjectNameSize] = {};  // NUL-terminated
};

// In place on a 64-byte record read from a file of `fileVersion`: below 26, bytes 40..59 move
// to 44..63 and 40..43 are cleared.
void UpgradeUserObjectBytes(uint8_t* bytes, uint16_t fileVersion);

UserObjectRecord DecodeUserObject(const uint8_t* bytes);
void EncodeUserObject(const UserObjectRecord& record, uint8_t* bytes);

// An empty name becomes the object's designation ("%s%ld": prefix and number).
void FillUserObjectDefaultName(UserObjectRecord& record, const CatalogTable& catalogs);

// Reads user object `index`, upgrades it for the file's version and fills a missing name.
// `out` is left untouched on failure.
bool UserObjectRead(CatalogDb& users, InfoSink& messages, const CatalogTable& catalogs,
                    int32_t index, UserObjectRecord& out);
// `index` kAppendIndex appends. Records are always written in the current layout.
bool UserObjectWrite(CatalogDb& users, uint16_t index, const UserObjectRecord& record);

RecordLayout UserObjectLayout();

}  // namespace vsp
