#pragma once
// Star files spelled out byte by byte for the star catalog tests, so that the files do not
// come from the code they check.

#include <cstdint>
#include <string>
#include <vector>

#include "records/HandMadeFiles.h"

namespace vsp::test {

// The record-file header of the star files: version 1, tag, count, record size.
inline std::string StarFileHeader(uint32_t tag, int32_t count, int32_t size) { return Header(1, tag, count, size); }

// One 12-byte entry of an extended catalog block, field by field.
struct EntryFields {
    int32_t number = 0;
    int raH = 0, raM = 0, raS = 0, decD = 0, decM = 0, decS = 0, magnitude16 = 0, colour = 0;
};

inline std::string EntryBytes(const EntryFields& e) {
    std::string out = Le32(uint32_t(e.number));
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
    std::string out = Le32(uint32_t(number)) + LeF32(raHours) + LeF32(decDegrees);
    out += Le16(uint16_t(magnitude16)) + Le16(uint16_t(colour));
    for (int i = 0; i < 16; ++i) out += char(uint8_t(extraSeed + i));
    return out + Le32(77) + Le32(88) + Le32(1);
}

}  // namespace vsp::test
