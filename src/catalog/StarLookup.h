#pragma once
// A star named by its HR, Hipparcos or Tycho number, found in the extended catalog that holds
// such stars (the 9110 HR stars, Hipparcos 110K, Tycho 2.5 Million else Tycho 390K) through its
// number or region index, and named from the bright-star file when it is one of the default
// stars. The star command and the finder find stars the same way.

#include <cstdint>
#include <string>
#include <string_view>

#include "catalog/StarCatalog.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr int32_t kHighestHrNumber = 9110;

struct FoundStar {
    std::string designation;  // "HR7001", "HIP91262", "TYC4660-1234-1"
    StarRecord record;
    std::string name;         // the bright-star name (code page), empty when it has none
    int32_t hrNumber = 0;     // the HR number of the default star it is, else 0
};

enum class StarSearch {
    Found,
    NoCatalog,  // no file holds such stars: a box has said which one to install
    NotFound,   // `problem` tells why
};

// HR, HIP and TYC: the catalogs whose numbers the star files resolve.
bool IsStarLookupCatalog(int32_t catalog);

// Whether the extended catalog open in `stars` is one that holds the stars of `catalog`.
bool StarCatalogHolds(const StarCatalog& stars, int32_t catalog);

// The star (catalog, number) names: a Tycho number is region x 100000 + number. The catalog open
// in `stars` answers when it holds such stars, else the first of their files that opens. HR
// numbers fall back on the default stars when the HR file is missing.
StarSearch FindStar(StarCatalog& stars, const ProgramDir& dir, InfoSink& messages, int32_t catalog, int32_t number,
                    FoundStar& out, std::string& problem);

// A default star by its proper name ("Vega", "vega"; code page), as the alignment picks stars.
StarSearch FindStarByName(StarCatalog& stars, const ProgramDir& dir, InfoSink& messages, std::string_view name,
                          FoundStar& out, std::string& problem);
// The Hipparcos number of a star of another catalog: the Hipparcos 110K star at its place, of
// about its brightness; 0 when that file is missing or has none there.
int32_t HipparcosNumberAt(const ProgramDir& dir, InfoSink& messages, const StarRecord& star);

}  // namespace vsp
