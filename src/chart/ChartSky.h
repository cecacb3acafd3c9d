#pragma once
// The chart's instant and place as the view needs them, and when the chart's clock is due for
// a refresh.
#include <cstdint>

#include "chart/ChartView.h"
#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Time.h"

namespace vsp {

// The sky of a local clock time at the settings' location: UT from the time-zone offset, TT
// through ΔT, local apparent sidereal time, and the rotations J2000 -> true equator of date
// (IAU 1976 precession, IAU 1980 nutation) -> horizon. Geometric: no refraction, no aberration.
ChartSky BuildChartSky(const CalendarDateTime& local, const EphemerisSettings& settings);

// The chart follows the clock in steps: a redraw refreshes the chart's time only when at least
// 120 whole seconds have passed since the last refresh.
class ChartTimeRefresh {
public:
    // True on the first call, and whenever at least 120 seconds passed since the last true
    // answer or the clock went back; a true answer remembers `nowSeconds`.
    bool Due(int64_t nowSeconds);

private:
    bool started_ = false;
    int64_t lastSeconds_ = 0;
};

}  // namespace vsp
