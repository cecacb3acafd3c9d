#pragma once
// A record type's fields bound to their place in the record: one table per type gives its
// encoder, its decoder and the layout `records dump` shows, so each offset is written once.

#include <cstdint>
#include <span>
#include <type_traits>
#include <variant>
#include <vector>

#include "records/RecordFile.h"
#include "records/RecordLayout.h"

namespace vsp {

template <class Record>
struct BoundField {
    const char* name;
    int32_t offset;
    std::variant<uint8_t Record::*, int8_t Record::*, uint16_t Record::*, int16_t Record::*,
                 uint32_t Record::*, int32_t Record::*, float Record::*, double Record::*>
        member;
};

namespace codec {

template <class Value>
constexpr FieldType TypeOf() {
    if constexpr (std::is_same_v<Value, uint8_t>) return FieldType::U8;
    else if constexpr (std::is_same_v<Value, int8_t>) return FieldType::I8;
    else if constexpr (std::is_same_v<Value, uint16_t>) return FieldType::U16;
    else if constexpr (std::is_same_v<Value, int16_t>) return FieldType::I16;
    else if constexpr (std::is_same_v<Value, uint32_t>) return FieldType::U32;
    else if constexpr (std::is_same_v<Value, int32_t>) return FieldType::I32;
    else if constexpr (std::is_same_v<Value, float>) return FieldType::F32;
    else return FieldType::F64;
}

inline void Put(uint8_t* p, uint8_t v) { *p = v; }
inline void Put(uint8_t* p, int8_t v) { *p = uint8_t(v); }
inline void Put(uint8_t* p, uint16_t v) { WriteU16(p, v); }
inline void Put(uint8_t* p, int16_t v) { WriteI16(p, v); }
inline void Put(uint8_t* p, uint32_t v) { WriteU32(p, v); }
inline void Put(uint8_t* p, int32_t v) { WriteI32(p, v); }
inline void Put(uint8_t* p, float v) { WriteF32(p, v); }
inline void Put(uint8_t* p, double v) { WriteF64(p, v); }

inline void Get(const uint8_t* p, uint8_t& v) { v = *p; }
inline void Get(const uint8_t* p, int8_t& v) { v = int8_t(*p); }
inline void Get(const uint8_t* p, uint16_t& v) { v = ReadU16(p); }
inline void Get(const uint8_t* p, int16_t& v) { v = ReadI16(p); }
inline void Get(const uint8_t* p, uint32_t& v) { v = ReadU32(p); }
inline void Get(const uint8_t* p, int32_t& v) { v = ReadI32(p); }
inline void Get(const uint8_t* p, float& v) { v = ReadF32(p); }
inline void Get(const uint8_t* p, double& v) { v = ReadF64(p); }

template <class Record, class Value>
Value MemberType(Value Record::*);

}  // namespace codec

// `bytes` holds the whole record.
template <class Record>
void EncodeFields(std::span<const BoundField<Record>> fields, const Record& record, uint8_t* bytes) {
    for (const BoundField<Record>& field : fields)
        std::visit([&](auto member) { codec::Put(bytes + field.offset, record.*member); }, field.member);
}

template <class Record>
Record DecodeFields(std::span<const BoundField<Record>> fields, const uint8_t* bytes) {
    Record record{};
    for (const BoundField<Record>& field : fields)
        std::visit([&](auto member) { codec::Get(bytes + field.offset, record.*member); }, field.member);
    return record;
}

template <class Record>
std::vector<RecordField> LayoutFields(std::span<const BoundField<Record>> fields) {
    std::vector<RecordField> out;
    for (const BoundField<Record>& field : fields) {
        const FieldType type = std::visit(
            [](auto member) { return codec::TypeOf<decltype(codec::MemberType(member))>(); }, field.member);
        out.push_back({field.name, field.offset, type, 0});
    }
    return out;
}

}  // namespace vsp
