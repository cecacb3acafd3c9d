#pragma once
// Star files spelled out byte by byte for the star catalog tests, so that the files do not
// come from the code they check.

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace vsp::test {

inline void LeBytes(std::string& out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char((v >> (8 * i)) & 0xFF);
}
inline void Le16(std::string& out, int v) { LeBytes(out, uint64_t(v), 2); }
inline void Le32(std::string& out, int64_t v) { LeBytes(out, uint64_t(v), 4); }
inline void LeF32(std::string& out, float v) { Le32(out, std::bit_cast<uint32_t>(v)); }

// The 16-byte record-file header: version 1, tag, count, record size.
inline std::string StarFileHeader(uint32_t tag, int32_t count, int32_t size) {
    std::string out;
    for (int64_t v : {int64_t(1), int64_t(tag), int64_t(count), int64_t(size)}) Le32(out, v);
    return out;
}

// One 12-byte entry of an extended catalog block, field by field.
struct EntryFields {
    int32_t number = 0;
    int raH = 0, raM = 0, raS = 0, decD = 0, decM = 0, decS = 0, magnitude16 = 0, colour = 0;
};

inline std::string EntryBytes(const EntryFields& e) {
    std::string out;
    Le32(out, e.number);
    for (int b : {e.raH, e.raM, e.raS, e.decD, e.decM, e.decS, e.magnitude16, e.colour}) out += char(b & 0xFF);
    return out;
}

// A catalog of blocks of n entries; each inner vector is a block, padded with faint empty entries.
inline std::string BlockFile(const std::vector<std::vector<EntryFields>>& blocks, int n) {
    std::string out = StarFileHeader(0x706C3032, int32_t(blocks.size()), 12 * n);
    for (const auto& block : blocks)
        for (size_t i = 0; i < size_t(n); ++i)
            out += EntryBytes(i < block.size() ? block[i] : EntryFields{.magnitude16 = 255});
    return out;
}

// A 44-byte default star record; screen x, y and the hidden flag as a previous run left them.
inline std::string DefaultStarBytes(int32_t number, float raHours, float decDegrees, int magnitude16,
                                    int colour, uint8_t extraSeed = 0) {
    std::string out;
    Le32(out, number);
    LeF32(out, raHours);
    LeF32(out, decDegrees);
    Le16(out, magnitude16);
    Le16(out, colour);
    for (int i = 0; i < 16; ++i) out += char(uint8_t(extraSeed + i));
    for (int v : {77, 88, 1}) Le32(out, v);
    return out;
}

}  // namespace vsp::test
