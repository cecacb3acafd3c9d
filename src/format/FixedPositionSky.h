#pragma once
// Where a fixed J2000 position (a deep-sky object, a star) stands for an observing time and
// site: altitude and azimuth in the correction mode, and its rise, transit and set on the
// observing date by the direct method, with the object screen's lines for them.

#include <string>
#include <vector>

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/RiseTransitSet.h"
#include "ephemeris/Time.h"
#include "format/TextFormats.h"

namespace vsp {

struct FixedPositionSky {
    double altitude = 0.0;  // degrees
    double azimuth = 0.0;   // degrees from north through east
    RiseTransitSetTimes times;  // decimal hours of the local day
    double h0 = 0.0;        // the altitude the rise and set refer to
    std::vector<std::string> lines;  // the object screen's rise/transit/set lines (code page)
};

// `h0` is the horizon the rise and set refer to (degrees). False when the date lies outside
// the Earth ephemeris that modes 2 and 3 need.
bool FixedPositionSkyCompute(double raHours, double decDegrees, const CalendarDateTime& when,
                             const EphemerisSettings& settings, double h0, const TextFormats& formats,
                             FixedPositionSky& out);

}  // namespace vsp
