#pragma once
// The element sets and site of the pass and flare search tests.

#include "satellites/ElementSetText.h"
#include "satellites/SatelliteSearches.h"
#include "support/EphemerisCsv.h"

namespace vsp::test {

inline std::vector<SatelliteRecord> SharedElementSets(const std::string& file) {
    std::ifstream in(std::string(VESPERTAR_SHARED_DATA) + "/tle/" + file);
    std::stringstream text;
    text << in.rdbuf();
    return ParseElementSets(text.str()).records;
}

// The site of scripts/fixtures/sat_pass_fixtures.py, its clock on UT.
inline SatelliteSearchSettings ParisSearch(double startJd) {
    SatelliteSearchSettings settings;
    settings.ephemeris.location = {48.85, -2.35, 0.0, 0};
    settings.startJd = startJd;
    return settings;
}

}  // namespace vsp::test
