#pragma once
// Object-file records and record files spelled out byte by byte for the catalog tests.

#include <bit>
#include <cstdint>
#include <string>

namespace vsp::test {

inline std::string Le32(uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
}
inline std::string Le16(uint16_t v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }

// The header with the type code as the number the file tables give (0x706C3030 ...).
inline std::string Header(uint32_t version, uint32_t typeCode, int32_t count, int32_t size) {
    return Le32(version) + Le32(typeCode) + Le32(uint32_t(count)) + Le32(uint32_t(size));
}

// An object record: type 20, constellation 3, ra 2.5 h, dec -0.5, magnitude 4, sizes 120 and
// 1, codes 0x1234 and 0xFFFF.
inline std::string ObjectBytes(int32_t catalog, int32_t number, int32_t link = -2) {
    std::string out = Le32(uint32_t(catalog)) + Le32(uint32_t(number)) + Le32(20) + Le32(3);
    for (float v : {2.5f, -0.5f, 4.0f, 120.0f, 1.0f}) out += Le32(std::bit_cast<uint32_t>(v));
    return out + Le16(0x1234) + Le16(0xFFFF) + Le32(uint32_t(link));
}

}  // namespace vsp::test
