#pragma once
// The next pass of one satellite over the observer: a coarse walk in time with the cheap SGP
// look angles, then rise and set refined by Brent's root finder on the elevation; and where
// the search goes on after a pass.

#include <functional>
#include <string>

#include "satellites/SatelliteElements.h"

namespace vsp {

// What a long search asks of whoever runs it. `stop` is polled between steps (true ends the
// search, keeping what was found); `show` receives the local day and clock time being examined
// ("%d %02d:%02d"). Either may be empty.
struct SearchProgress {
    std::function<bool()> stop;
    std::function<void(const std::string&)> show;
    int tzOffsetMinutes = 0;  // of the site, set by the search
    bool stopped = false;  // set once `stop` said so; every later search returns at once

    bool Poll();
    void Show(double jdUt) const;
};

struct PassTimes {
    double rise = 0.0;  // Julian Dates (UT)
    double set = 0.0;
};

inline constexpr double kRiseBracketDays = 1.0 / 72.0;  // 20 minutes
inline constexpr double kRiseToleranceDays = 1.1574074074074074e-09;
inline constexpr double kSetToleranceDays = 3.4722222222222225e-10;

// The satellite's elevation (degrees) at `jdUt` by the quick computation.
double QuickElevation(double jdUt, const SatelliteObserver& observer, SatelliteElements& elements);

// The first pass whose coarse walk finds the satellite above the horizon between t0 and t1.
// False when the satellite can never rise there, is geostationary, stays below until t1, or
// the search was stopped.
bool FindNextPass(double t0, double t1, SatelliteElements& elements, const SatelliteObserver& observer,
                  SearchProgress& progress, PassTimes& pass);

// Where the search for the following pass starts (Julian Date, UT): about one period after the
// pass, or several when the ground track one period on lies far east of the observer.
double NextSearchStart(const PassTimes& pass, SatelliteElements& elements, const SatelliteObserver& observer);

}  // namespace vsp
