#include "satellites/SatelliteSearchResult.h"

#include <algorithm>

namespace vsp {
int RoundHalfUp(double value) { return static_cast<int>(value + 0.5); }

SatelliteSearchResult MakePassResult(double riseJd, double setJd, double maxElevationDeg, int tzOffsetMinutes,
                                     int satelliteIndex, std::string_view name) {
    const double zone = tzOffsetMinutes / 1440.0;
    SatelliteSearchResult result;
    result.riseTime = riseJd + zone;
    result.setTime = setJd + zone;
    result.durationS = RoundHalfUp((setJd - riseJd) * 86400.0);
    result.maxElevationDeg = RoundHalfUp(maxElevationDeg);
    result.satelliteIndex = satelliteIndex;
    result.name = std::string(name.substr(0, kResultNameLength));
    return result;
}

void SortPasses(std::vector<SatelliteSearchResult>& results) {
    std::sort(results.begin(), results.end(), [](const SatelliteSearchResult& a, const SatelliteSearchResult& b) {
        if (a.riseTime != b.riseTime) return a.riseTime < b.riseTime;
        return a.maxElevationDeg < b.maxElevationDeg;
    });
}

void SortFlares(std::vector<SatelliteSearchResult>& results) {
    std::stable_sort(results.begin(), results.end(), [](const SatelliteSearchResult& a, const SatelliteSearchResult& b) {
        return a.flareTime < b.flareTime;
    });
}

}  // namespace vsp
