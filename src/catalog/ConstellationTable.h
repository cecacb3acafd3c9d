#pragma once
// The 89 constellations (Serpens in two parts), alphabetical by abbreviation: a constellation
// index is a row of this table. The label point is where the chart writes the abbreviation.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vsp {

inline constexpr int kConstellationCount = 89;

// 40 bytes, as the table is laid out in program data. Names are in the device code page.
struct ConstellationEntry {
    char abbreviation[4];    // NUL-padded
    char name[28];           // NUL-padded
    int32_t labelRaMilliHours;     // thousandths of an hour
    int32_t labelDecCentiDegrees;  // hundredths of a degree
};
static_assert(sizeof(ConstellationEntry) == 40);
static_assert(offsetof(ConstellationEntry, name) == 4);
static_assert(offsetof(ConstellationEntry, labelRaMilliHours) == 32);
static_assert(offsetof(ConstellationEntry, labelDecCentiDegrees) == 36);

const std::array<ConstellationEntry, kConstellationCount>& ConstellationTable();

// Nullptr outside 0 .. kConstellationCount - 1.
const ConstellationEntry* ConstellationAt(int index);
std::string_view ConstellationAbbreviation(const ConstellationEntry& entry);
std::string_view ConstellationName(const ConstellationEntry& entry);

}  // namespace vsp
