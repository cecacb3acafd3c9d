#pragma once
// One line of the satellite form's result list (a pass, or a flare and its pass) and the
// messages of the searches.

#include <string>
#include <string_view>
#include <vector>

namespace vsp {

inline constexpr int kMaxSearchResults = 30;
inline constexpr size_t kResultNameLength = 20;

inline constexpr std::string_view kSatelliteNeverVisible = "This satellite is not visible from your location.";
inline constexpr std::string_view kPressAnyKeyToStop = "Press any key to stop.";
inline constexpr std::string_view kEndOfSearch = "End of search: ";
inline constexpr std::string_view kTimesAreLocal = "All displayed times are local times.";

struct SatelliteSearchResult {
    double riseTime = 0.0;         // Julian Date + zone offset, so its calendar is the local clock
    double setTime = 0.0;
    double flareTime = 0.0;        // likewise; 0 for a pass
    double flareAngleDeg = 0.0;
    int durationS = 0;             // (set - rise) in whole seconds, rounded
    int maxElevationDeg = 0;       // at the middle of the pass, or at the flare; rounded
    int satelliteIndex = 0;
    int magnitude = 0;             // flares only
    std::string name;              // the database name cut at 20 characters
};

// Whole units as the list shows durations and elevations: 0.5 added, then truncated toward 0.
int RoundHalfUp(double value);

// A pass entry with its times made local (`tzOffsetMinutes`, local = UT + offset).
SatelliteSearchResult MakePassResult(double riseJd, double setJd, double maxElevationDeg, int tzOffsetMinutes,
                                     int satelliteIndex, std::string_view name);

// Passes by rise time, equal rises by maximum elevation ascending; flares by flare time,
// equal times keeping their order.
void SortPasses(std::vector<SatelliteSearchResult>& results);
void SortFlares(std::vector<SatelliteSearchResult>& results);

}  // namespace vsp
