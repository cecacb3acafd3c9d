#pragma once
// The visible passes of satellites of the database over a window from the search start: every
// pass of the complete pass search culminating at or above the minimum elevation that is
// visible (PassVisibility) at its rise, culmination or set, with its magnitude at culmination
// where a standard magnitude is known and the age of its elements.

#include <optional>
#include <vector>

#include "satellites/CompletePassSearch.h"
#include "satellites/PassVisibility.h"
#include "satellites/SatelliteSearches.h"
#include "satellites/StandardMagnitudes.h"

namespace vsp {

inline constexpr double kVisiblePassDaysOfOne = 10.0;
inline constexpr double kVisiblePassDaysOfAll = 1.0;

struct VisiblePassSettings {
    SatelliteSearchSettings search;  // site, start, minimum elevation index
    double days = kVisiblePassDaysOfOne;
    int oldElementsDays = 14;        // older sets mark their passes
};

struct VisiblePass {
    int satelliteIndex = 0;
    SatellitePass pass;
    PassVisibility visibility;
    std::optional<double> magnitude;
    double ageDays = 0.0;  // from the epoch to the search start
    bool oldElements = false;
};

// Passes of the records `indices` name in `source` (every record when empty), by rise time;
// a record that cannot be read or has elements no orbit has is passed over.
std::vector<VisiblePass> SearchVisiblePasses(const SatelliteSource& source, const std::vector<int>& indices,
                                             const VisiblePassSettings& settings,
                                             const StandardMagnitudes& magnitudes, SearchProgress& progress);

// Whether elements of this age (days, either side of the epoch) are past the setting.
bool AreOldElements(double ageDays, int oldElementsDays);

}  // namespace vsp
