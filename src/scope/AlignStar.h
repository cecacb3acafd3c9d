#pragma once
// One star of an alignment: where the catalog puts it, when it was measured and what the
// mount read. The same 128-byte record (little-endian) holds the two stars of the two-star
// alignment in the saved preferences and the stars of the pointing correction.

#include <cstdint>
#include <string>

#include "settings/Preferences.h"

namespace vsp {

inline constexpr int32_t kNoAlignStar = -1;
inline constexpr size_t kAlignStarNameMax = 19;

struct AlignStar {
    int32_t starIndex = kNoAlignStar;  // offset 0
    std::string name;                  // offset 4, 20 bytes NUL-terminated, at most 19 characters
    double clockDeg = 0;    // 24: local clock time of the measurement x 15, degrees
    double raDeg = 0;       // 32: catalog right ascension, degrees
    double decDeg = 0;      // 40: catalog declination, degrees
    double axis1Deg = 0;    // 48: mount axis 1 (hour angle or RA x 15 for EQ, else azimuth)
    double axis2Deg = 0;    // 56: mount axis 2 (declination or altitude)
    // 64, 72: where the alignment puts the star on the mount's axes (radians after
    // SkyToMount; the pointing correction keeps degrees here).
    double predictedAxis1 = 0;
    double predictedAxis2 = 0;
    double measuredAxis1Deg = 0;   // 80: mount reading of the pointing correction
    double measuredAxis2Deg = 0;   // 88
    double correctedAxis1Deg = 0;  // 96: prediction after the pointing correction
    double correctedAxis2Deg = 0;  // 104; bytes 112..127 stay zero

    bool IsEmpty() const { return starIndex == kNoAlignStar; }
};

AlignStarBytes EncodeAlignStar(const AlignStar& star);
AlignStar DecodeAlignStar(const AlignStarBytes& bytes);

// A star as the two-star form shows it; each text is read as the form's "Align" reads it.
struct AlignStarTexts {
    std::string time;   // local clock "hh:mm:ss"
    std::string ra;     // hours
    std::string dec;    // degrees
    std::string axis1;  // hours for output type 0, else degrees
    std::string axis2;  // degrees
};

// `star` keeps its index and name; the texts replace its time, place and readings.
void ReadAlignStarTexts(const AlignStarTexts& texts, int32_t outputType, AlignStar& star);

}  // namespace vsp
