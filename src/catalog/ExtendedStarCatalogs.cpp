#include "catalog/ExtendedStarCatalogs.h"

namespace vsp {

const std::array<ExtendedCatalogInfo, kExtendedCatalogCount>& ExtendedCatalogs() {
    // The spelling "Hipparchos" is the program's own.
    static constexpr std::array<ExtendedCatalogInfo, kExtendedCatalogCount> table{{
        {"vespertar_hr.ppc", "No expansion card"},
        {"vespertar_hip_16k.ppc", "Hipparchos 16K"},
        {"vespertar_hip_32k.ppc", "Hipparchos 32K"},
        {"vespertar_hip_64k.ppc", "Hipparchos 64K"},
        {"vespertar_hip_110k.ppc", "Hipparchos 110K"},
        {"vespertar_tycho_390k.ppc", "Tycho 390K"},
        {"vespertar_tycho_2500k.ppc", "Tycho 2.5 Million"},
    }};
    static_assert(std::string_view("vespertar_tycho_2500k.ppc").size() < kExtendedCatalogNameSlot);
    return table;
}

int LargestPresentCatalog(const ProgramDir& dir) {
    for (int row = kExtendedCatalogCount - 1; row >= 0; --row)
        if (FileExists(dir.Path(kDataDir, ExtendedCatalogs()[size_t(row)].fileName))) return row;
    return -1;
}

const std::array<std::string_view, 3>& StarDrawChoiceLabels() {
    static constexpr std::array<std::string_view, 3> labels{"All", "Only Constellation",
                                                            "Only default stars"};
    return labels;
}

const std::array<std::string_view, 2>& ConstellationLineSetLabels() {
    static constexpr std::array<std::string_view, 2> labels{"Classic", "Rey Lines"};
    return labels;
}

}  // namespace vsp
