#pragma once
// Record files spelled out byte by byte, so that tests of the format do not lean on the code
// they check.

#include <bit>
#include <cstdint>
#include <string>

namespace vsp::test {

inline std::string Le16(uint16_t v) { return {char(v & 0xFF), char(v >> 8)}; }
inline std::string Le32(uint32_t v) { return Le16(uint16_t(v & 0xFFFF)) + Le16(uint16_t(v >> 16)); }
inline std::string LeF32(float v) { return Le32(std::bit_cast<uint32_t>(v)); }

// The 16-byte header: version, the four tag characters in file order, count, size.
inline std::string HeaderBytes(uint32_t version, const char (&tag)[5], int32_t count, int32_t size) {
    return Le32(version) + std::string(tag, 4) + Le32(uint32_t(count)) + Le32(uint32_t(size));
}

// The same header with the tag as the number the file tables give (0x706C3030 ...).
inline std::string Header(uint32_t version, uint32_t typeCode, int32_t count, int32_t size) {
    return Le32(version) + Le32(typeCode) + Le32(uint32_t(count)) + Le32(uint32_t(size));
}

// Record i filled with a pattern that differs between records and within a record.
inline std::string PatternRecord(int index, int size) {
    std::string out(size_t(size), '\0');
    for (int j = 0; j < size; ++j) out[size_t(j)] = char((index * 131 + j * 7 + (j >> 8)) & 0xFF);
    return out;
}

inline std::string PatternFile(int count, int size, uint32_t version = 1) {
    std::string out = HeaderBytes(version, "Test", count, size);
    for (int i = 0; i < count; ++i) out += PatternRecord(i, size);
    return out;
}

inline std::string AsString(const uint8_t* p, size_t size) {
    return std::string(reinterpret_cast<const char*>(p), size);
}

}  // namespace vsp::test
