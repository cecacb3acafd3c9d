#pragma once
// Object-file records and record files spelled out byte by byte for the catalog tests.

#include <cstdint>
#include <string>
#include <initializer_list>

namespace vsp::test {

inline std::string Le32(uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
}
inline std::string Le16(uint16_t v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }

// The header with the type code as the number the file tables give (0x706C3030 ...).
inline std::string Header(uint32_t version, uint32_t typeCode, int32_t count, int32_t size) {
    return Le32(version) + Le32(typeCode) + Le32(uint32_t(count)) + Le32(uint32_t(size));
}

inline std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += char(v);
    return out;
}

// An object record with small values whose IEEE bytes are written out: ra 2.5 h
// (00 00 20 40), dec -0.5 (00 00 00 BF), magnitude 4 (00 00 80 40), sizes 120 (00 00 F0 42)
// and 1 (00 00 80 3F).
inline std::string ObjectBytes(int32_t catalog, int32_t number, int32_t link = -2) {
    return Le32(uint32_t(catalog)) + Le32(uint32_t(number)) + Le32(20) + Le32(3) +
           Bytes({0x00, 0x00, 0x20, 0x40}) + Bytes({0x00, 0x00, 0x00, 0xBF}) +
           Bytes({0x00, 0x00, 0x80, 0x40}) + Bytes({0x00, 0x00, 0xF0, 0x42}) +
           Bytes({0x00, 0x00, 0x80, 0x3F}) + Le16(0x1234) + Le16(0xFFFF) + Le32(uint32_t(link));
}

}  // namespace vsp::test
