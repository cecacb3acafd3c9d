#pragma once
// The extended star catalogs in the order of the preference list, whose chosen row is an
// index into this table, and the labels of the two other star choices.

#include <array>
#include <cstdint>
#include <string_view>

namespace vsp {

inline constexpr int kExtendedCatalogCount = 7;
inline constexpr int kExtendedCatalogNameSlot = 27;  // bytes per name in program data
// Not fixed by the program; the data builder writes it.
inline constexpr uint32_t kExtendedCatalogTypeCode = 0x706C3032;

struct ExtendedCatalogInfo {
    std::string_view fileName;  // in data/
    std::string_view label;     // as the preference list shows it
};

const std::array<ExtendedCatalogInfo, kExtendedCatalogCount>& ExtendedCatalogs();

// What the chart draws: "All", "Only Constellation", "Only default stars".
const std::array<std::string_view, 3>& StarDrawChoiceLabels();
// Constellation line sets: "Classic" (set 0), "Rey Lines" (set 1).
const std::array<std::string_view, 2>& ConstellationLineSetLabels();

}  // namespace vsp
