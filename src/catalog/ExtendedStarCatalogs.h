#pragma once
// The extended star catalogs in the order of the preference list, whose chosen row is an
// index into this table, and the labels of the two other star choices.

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr int kExtendedCatalogCount = 7;
// Rows of the table that other parts name.
inline constexpr int kExtendedHr = 0;          // "No expansion card": the 9110 HR stars
inline constexpr int kExtendedHip110k = 4;     // "Hipparchos 110K"
inline constexpr int kExtendedTycho390k = 5;   // "Tycho 390K"
inline constexpr int kExtendedTycho2500k = 6;  // "Tycho 2.5 Million"
inline constexpr int kExtendedCatalogNameSlot = 27;  // bytes per name in program data
// Not fixed by the program; the data builder writes it.
inline constexpr uint32_t kExtendedCatalogTypeCode = 0x706C3032;

struct ExtendedCatalogInfo {
    std::string_view fileName;  // in data/
    std::string_view label;     // as the preference list shows it
};

const std::array<ExtendedCatalogInfo, kExtendedCatalogCount>& ExtendedCatalogs();
// The row of the largest catalog of the table whose file is in data/ of `dir` (the table runs
// from the smallest to the largest), -1 when there is none.
int LargestPresentCatalog(const ProgramDir& dir);

// What the chart draws: "All", "Only Constellation", "Only default stars".
const std::array<std::string_view, 3>& StarDrawChoiceLabels();
// Constellation line sets: "Classic" (set 0), "Rey Lines" (set 1).
const std::array<std::string_view, 2>& ConstellationLineSetLabels();

}  // namespace vsp
