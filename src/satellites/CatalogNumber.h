#pragma once
// Catalog numbers of element sets as integers. The two-line format has five columns for them:
// digits up to 99999, then "Alpha-5" (a letter for the first two digits: A0000 = 100000 ...
// Z9999 = 339999, I and O left out so they are not read as 1 and 0). Larger numbers (OMM
// sets, up to nine digits) cannot be written in the lines; the database keeps them beside the
// lines (SatelliteRecord::largeCatalogNumber).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "satellites/SatelliteElements.h"

namespace vsp {

inline constexpr int64_t kLargestAlpha5Number = 339999;
inline constexpr int64_t kLargestCatalogNumber = 999999999;
// What the lines' catalog columns hold when the number is kept beside them.
inline constexpr std::string_view kLargeNumberPlaceholder = "00000";

// The five columns for `number` (0..339999): "00005", "99999", "A0000", "T0000"; nothing when
// the number does not fit.
std::optional<std::string> Alpha5Text(int64_t number);
// The number five columns (or a typed word) give: digits, leading blanks allowed, or a letter
// and four digits; nothing for anything else.
std::optional<int64_t> ParseAlpha5(std::string_view columns);

// The record's catalog number: the one kept beside the lines, else columns 3 to 7 of line 1;
// nothing when they hold no number.
std::optional<int64_t> SatelliteCatalogNumber(const SatelliteRecord& record);

// A typed catalog number: up to nine digits, or Alpha-5 ("T0000" and "270000" are one number).
std::optional<int64_t> ParseTypedCatalogNumber(std::string_view typed);

}  // namespace vsp
