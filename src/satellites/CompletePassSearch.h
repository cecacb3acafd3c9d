#pragma once
// Every pass of one satellite over the observer in a time window: the elevation sampled at a
// fraction of the period, each local maximum of the samples refined into the true culmination,
// and rise and set refined by Brent's root finder between the samples around them, so a pass of
// any duration and a grazing pass shorter than the step are both found. A pass already under
// way at the window's start (or still up at its end) keeps its real rise (set), sought outside
// the window. Model: near-Earth SGP4 at every age (ComputeSatelliteSgp4), look angles geometric
// (no refraction) from the observer at its height on the WGS-72 ellipsoid. Accuracy (measured
// against skyfield's find_events, tests/data/satellites/README.md): rise, culmination and set
// within 2 s.

#include <vector>

#include "satellites/PassSearch.h"
#include "satellites/SatelliteElements.h"

namespace vsp {

struct SatellitePass {
    double riseJd = 0.0;  // Julian Dates (UT)
    double maxJd = 0.0;   // the culmination: the highest elevation of the pass
    double setJd = 0.0;
    double maxElevationDeg = 0.0;
    // False when the satellite was already up (still up) as far as the search looks outside
    // the window (a day, or a period when longer); riseJd (setJd) is then the window's start
    // (end), and the culmination the highest point of the part searched.
    bool riseFound = true;
    bool setFound = true;
};

struct CompletePassOptions {
    double horizonDeg = 0.0;        // rise and set are the crossings of this elevation
    double minElevationDeg = 0.0;   // passes culminating lower are left out
};

// The passes with any part above the horizon between startJd and endJd (UT), by rise time.
// `progress` (may be null) is polled once per pass; a stop keeps what was found. Elements are
// taken by copy: the search leaves the caller's last computed state alone.
std::vector<SatellitePass> FindAllPasses(SatelliteElements elements, const SatelliteObserver& observer, double startJd,
                                         double endJd, const CompletePassOptions& options = {},
                                         SearchProgress* progress = nullptr);

}  // namespace vsp
