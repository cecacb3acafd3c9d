#pragma once
// The deep-sky object record: 44 bytes in the object files ("vespertar_obj_18k.ppc" and the
// smaller "vespertar_obj_1k.ppc"), ordered by catalog index and then by number. The field
// offsets are in one table in ObjectRecord.cpp that serves the codec and the dump layout.

#include <cstdint>
#include <string_view>

#include "platform/InfoSink.h"
#include "records/CatalogDb.h"
#include "records/RecordLayout.h"

namespace vsp {

inline constexpr int32_t kObjectRecordSize = 44;
// Readers keep a record with a NUL behind it.
inline constexpr int32_t kObjectRecordBufferSize = 45;
inline constexpr uint16_t kObjectFileVersion = 26;
inline constexpr uint32_t kObjectFileTypeCode = 0x706C3030;
inline constexpr std::string_view kObjectFile18k = "vespertar_obj_18k.ppc";
inline constexpr std::string_view kObjectFile1k = "vespertar_obj_1k.ppc";

inline constexpr std::string_view kObjectDbNotOpen = "Object database isn't open!";
inline constexpr std::string_view kObjectReadFailed = "Could not retrieve object record!";

struct ObjectRecord {
    int32_t catalog = 0;
    int32_t number = 0;
    int32_t type = 0;
    int32_t constellation = 0;
    float ra = 0;        // hours, equinox of the catalog
    float dec = 0;       // degrees
    float magnitude = 0;
    float sizeMajor = 0;  // arcminutes
    float sizeMinor = 0;
    uint16_t code1 = 0;
    uint16_t code2 = 0;
    int32_t link = 0;
};

// `bytes` holds kObjectRecordSize bytes.
ObjectRecord DecodeObjectRecord(const uint8_t* bytes);
void EncodeObjectRecord(const ObjectRecord& record, uint8_t* bytes);

// Reads object `index`; `out` is left untouched on failure. Messages: kObjectDbNotOpen when
// no object file is open, kObjectReadFailed when the record cannot be read. An index not below
// the record count is refused silently.
bool ObjectRead(CatalogDb& objects, InfoSink& messages, int32_t index, ObjectRecord& out);

RecordLayout ObjectRecordLayout();
void RegisterObjectLayouts(RecordLayoutRegistry& registry);

}  // namespace vsp
