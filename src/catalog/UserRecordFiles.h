#pragma once
// Pieces the user record files share (eyepieces, locations, custom catalogs): text fields of a
// fixed number of bytes in the device code page, NUL padded with the last byte always NUL; the
// codec and dump layout of a record type made of text and number fields; whole-file writes.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/RecordCodec.h"
#include "records/RecordFile.h"
#include "records/RecordLayout.h"

namespace vsp {

struct TextField {
    int32_t offset;
    int32_t size;
};

inline void PutTextField(uint8_t* record, TextField field, std::string_view text) {
    std::memset(record + field.offset, 0, size_t(field.size));
    std::memcpy(record + field.offset, text.data(), std::min(text.size(), size_t(field.size - 1)));
}

inline std::string GetTextField(const uint8_t* record, TextField field) {
    const char* start = reinterpret_cast<const char*>(record + field.offset);
    return std::string(start, strnlen(start, size_t(field.size - 1)));
}

template <class Record>
struct BoundText {
    const char* name;
    TextField field;
    std::string Record::*member;
};

// A record type's text fields and number fields, each offset written once.
template <class Record>
struct UserRecordFields {
    std::span<const BoundText<Record>> texts;
    std::span<const BoundField<Record>> numbers;
};

template <class Record>
void EncodeUserRecord(const UserRecordFields<Record>& fields, const Record& record, uint8_t* bytes) {
    for (const BoundText<Record>& text : fields.texts) PutTextField(bytes, text.field, record.*text.member);
    EncodeFields<Record>(fields.numbers, record, bytes);
}

template <class Record>
Record DecodeUserRecord(const UserRecordFields<Record>& fields, const uint8_t* bytes) {
    Record record = DecodeFields<Record>(fields.numbers, bytes);
    for (const BoundText<Record>& text : fields.texts) record.*text.member = GetTextField(bytes, text.field);
    return record;
}

template <class Record>
std::vector<RecordField> UserRecordLayoutFields(const UserRecordFields<Record>& fields) {
    std::vector<RecordField> out;
    for (const BoundText<Record>& text : fields.texts)
        out.push_back({text.name, text.field.offset, FieldType::Text, text.field.size});
    const std::vector<RecordField> numbers = LayoutFields<Record>(fields.numbers);
    out.insert(out.end(), numbers.begin(), numbers.end());
    return out;
}

// Writes `items` as a whole record file with the version, tag and record size of `header`
// (through a temporary file renamed over `path`); `encode(item, bytes)` fills one record.
template <class Item, class Encode>
bool WriteUserRecordFile(const std::string& path, RecordHeader header, const std::vector<Item>& items,
                         Encode encode) {
    const size_t size = size_t(header.recordSize);
    std::string records(items.size() * size, '\0');
    for (size_t i = 0; i < items.size(); ++i) encode(items[i], reinterpret_cast<uint8_t*>(records.data()) + i * size);
    header.count = int32_t(items.size());
    return RecordFileWriteWhole(path, header, records);
}

}  // namespace vsp
