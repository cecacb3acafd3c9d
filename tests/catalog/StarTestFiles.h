#pragma once
// Star files spelled out byte by byte for the star catalog tests, so that the files do not
// come from the code they check.

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace vsp::test {

inline void Le16(std::string& out, int v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

inline void Le32(std::string& out, int64_t v) {
    for (int i = 0; i < 4; ++i) out += char((uint64_t(v) >> (8 * i)) & 0xFF);
}

inline void LeF32(std::string& out, float v) { Le32(out, std::bit_cast<uint32_t>(v)); }

// The 16-byte record-file header: version, tag bytes, count, record size.
inline std::string StarFileHeader(uint32_t tag, int32_t count, int32_t size) {
    std::string out;
    Le32(out, 1);
    Le32(out, tag);
    Le32(out, count);
    Le32(out, size);
    return out;
}

struct EntryFields {
    int32_t number = 0;
    int raH = 0, raM = 0, raS = 0;
    int decD = 0, decM = 0, decS = 0;
    int magnitude16 = 0;
    int colour = 0;
};

inline std::string EntryBytes(const EntryFields& e) {
    std::string out;
    Le32(out, e.number);
    for (int b : {e.raH, e.raM, e.raS, e.decD, e.decM, e.decS, e.magnitude16, e.colour}) out += char(b & 0xFF);
    return out;
}

// A catalog of blocks of n entries; each inner vector is a block (padded with empty entries).
inline std::string BlockFile(const std::vector<std::vector<EntryFields>>& blocks, int n) {
    std::string out = StarFileHeader(0x706C3032, int32_t(blocks.size()), 12 * n);
    for (const auto& block : blocks) {
        for (int i = 0; i < n; ++i) {
            EntryFields padding;
            padding.magnitude16 = 255;
            out += EntryBytes(i < int(block.size()) ? block[size_t(i)] : padding);
        }
    }
    return out;
}

// A 44-byte default star record.
inline std::string DefaultStarBytes(int32_t number, float raHours, float decDegrees, int magnitude16,
                                    int colour, uint8_t extraSeed = 0) {
    std::string out;
    Le32(out, number);
    LeF32(out, raHours);
    LeF32(out, decDegrees);
    Le16(out, magnitude16);
    Le16(out, colour);
    for (int i = 0; i < 16; ++i) out += char(uint8_t(extraSeed + i));
    Le32(out, 77);  // screen x, y and hidden flag as a previous run might have left them
    Le32(out, 88);
    Le32(out, 1);
    return out;
}

}  // namespace vsp::test
