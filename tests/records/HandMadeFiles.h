#pragma once
// Record files spelled out byte by byte, so that tests of the format do not lean on the code
// they check.

#include <cstdint>
#include <string>

namespace vsp::test {

inline void PutLe32(std::string& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out += char((v >> shift) & 0xFF);
}

// The 16-byte header: version, the four tag characters in file order, count, size.
inline std::string HeaderBytes(uint32_t version, const char (&tag)[5], int32_t count, int32_t size) {
    std::string out;
    PutLe32(out, version);
    out.append(tag, 4);
    PutLe32(out, uint32_t(count));
    PutLe32(out, uint32_t(size));
    return out;
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
