#pragma once
// The satellite form's searches: the passes of one satellite, and the passes or flares of every
// satellite of the database, each giving at most 30 results in local time.

#include <functional>
#include <vector>

#include "ephemeris/EphemerisSettings.h"
#include "platform/InfoSink.h"
#include "settings/Preferences.h"
#include "satellites/PassSearch.h"
#include "satellites/SatelliteElements.h"
#include "satellites/SatelliteSearchResult.h"

namespace vsp {

inline constexpr double kPassWindowDays = 5.0;
inline constexpr double kFlarePassWindowDays = 35.0;
inline constexpr double kPassSearchDays = 30.0;
inline constexpr double kAllSatelliteWindowDays = 1.3;
inline constexpr double kAllSatelliteSearchDays = 8.0;
inline constexpr double kAfterDaylightDays = 1.0 / 288.0;  // 5 minutes

// The minimum elevations in whole degrees that the "sat_min_elevation" setting chooses for the
// searches (index 0..10; 0 and 10 outside).
int PassMinimumElevation(int index);
int FlareMinimumElevation(int index);

struct SatelliteSearchSettings {
    EphemerisSettings ephemeris;  // the site (west-positive longitude, height in metres), zone, ΔT
    double startJd = 0.0;         // UT
    int minElevationIndex = 0;    // PassMinimumElevation, FlareMinimumElevation
    bool preciseFlares = false;
    bool reportEnd = false;       // say where a single-satellite search ran out of days
    double passSearchDays = kPassSearchDays;  // a single satellite's search ends past this
    // A single satellite's flares: each pass sought within 35 days, its flare listed in place
    // of the pass.
    bool flaresOfOne = false;
    DeepSpaceOrbits deepSpaceOrbits = DeepSpaceOrbits::NearEarthFormulas;
};

// The satellite computations' observer for a site of the settings, deep-space orbits
// propagated as given.
SatelliteObserver SearchObserver(const ObserverLocation& location, DeepSpaceOrbits deepSpaceOrbits);
// The "sat_deep_space" setting of `prefs`.
DeepSpaceOrbits DeepSpaceOrbitsSetting(const Preferences& prefs);

// The passes of one satellite from the start: each sought within 5 days of the last, passes
// in the Earth's shadow at both rise and set or below the minimum elevation left out, until 30
// are found, none follows, the search is stopped or `passSearchDays` are examined ("End of
// search: " and the local date and time reached, when `reportEnd`). A satellite that never rises there
// gets "This satellite is not visible from your location." and no search.
std::vector<SatelliteSearchResult> SearchPasses(const SatelliteRecord& record, int index,
                                                const SatelliteSearchSettings& settings,
                                                SearchProgress& progress, InfoSink& messages);

// Every record of the database: how many, and one by index (false when it cannot be read,
// which ends the search there).
struct SatelliteSource {
    int count = 0;
    std::function<bool(int index, SatelliteRecord& record)> read;
};

enum class AllSatelliteSearch { Passes, Flares };

// Passes (or flares) of every satellite that can rise, window by window of 1.3 days over 8
// days. Passes wholly in daylight are skipped. Passes keep the visibility and elevation rules
// of one satellite's search; flares must fall at night on a sunlit satellite and reach the
// flare minimum elevation.
std::vector<SatelliteSearchResult> SearchAllSatellites(AllSatelliteSearch kind, const SatelliteSource& source,
                                                       const SatelliteSearchSettings& settings,
                                                       SearchProgress& progress);

}  // namespace vsp
