#pragma once
// The plain-language expansion of a short deep-sky description in the abbreviated style of the
// classic catalogs ("vF, S, R, psbM" -> "very faint ,  small ,  round ,  pretty suddenly
// brighter middle "). A left-to-right scan replaces abbreviations from two ordered tables,
// copies numbers, notes and cross-references as they are and widens commas.
//
// Everything is narrow text in the device code page; the scan allocates nothing.

#include <array>
#include <cstddef>
#include <string_view>

namespace vsp {

// One abbreviation row: both texts NUL-terminated in fixed fields (50 bytes a row).
struct AbbreviationRow {
    char abbreviation[7];
    char expansion[43];
};
static_assert(sizeof(AbbreviationRow) == 50, "an abbreviation row is 50 bytes");

inline constexpr size_t kAbbreviationRowsA = 47;
inline constexpr size_t kAbbreviationRowsB = 49;
// Table A is always tried before table B; within a table the first matching row wins.
extern const std::array<AbbreviationRow, kAbbreviationRowsA> kAbbreviationTableA;
extern const std::array<AbbreviationRow, kAbbreviationRowsB> kAbbreviationTableB;

// The expansion buffer ("dreyerLong") and where the scan gives up.
inline constexpr size_t kDescriptionLongSize = 200;
inline constexpr size_t kExpansionStop = 190;   // the scan stops once the output passes this
inline constexpr size_t kNumberCopyLimit = 195; // a number is copied while the output is below

// Expands `shortText` into `longText`, which is always NUL-terminated. The step that carries
// the output past kExpansionStop is the last one; nothing is ever written beyond the buffer
// (a step that would run past it is cut at its last byte). Returns the output length.
size_t DescriptionExpand(std::string_view shortText, char (&longText)[kDescriptionLongSize]);

}  // namespace vsp
