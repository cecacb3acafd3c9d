#pragma once
// Object records spelled out byte by byte for the catalog tests.

#include <cstdint>
#include <string>

#include "records/HandMadeFiles.h"

namespace vsp::test {

// An object record: type 20, constellation 3, ra 2.5 h, dec -0.5, magnitude 4, sizes 120 and
// 1, codes 0x1234 and 0xFFFF.
inline std::string ObjectBytes(int32_t catalog, int32_t number, int32_t link = -2) {
    std::string out = Le32(uint32_t(catalog)) + Le32(uint32_t(number)) + Le32(20) + Le32(3);
    for (float v : {2.5f, -0.5f, 4.0f, 120.0f, 1.0f}) out += LeF32(v);
    return out + Le16(0x1234) + Le16(0xFFFF) + Le32(uint32_t(link));
}

}  // namespace vsp::test
