#pragma once
// Where a fixed J2000 position (a deep-sky object, a star) stands for the observing time and
// site: altitude and azimuth in the correction mode, and its rise, transit and set on the
// observing date by the direct method that `riseset --ra/--dec` uses.

#include <string>
#include <vector>

#include "cli/CliContext.h"

namespace vsp::cli {

struct FixedPositionSky {
    double altitude = 0.0;  // degrees
    double azimuth = 0.0;   // degrees from north through east
    double rise = 0.0, transit = 0.0, set = 0.0;  // decimal hours of the local day
    std::string status;     // "normal", "circumpolar", "never_rises"
    double h0 = 0.0;        // the altitude the rise and set refer to
    std::vector<std::string> lines;  // the object screen's rise/transit/set lines (code page)
};

// 1 on success; 0 when the date lies outside the Earth ephemeris that modes 2 and 3 need
// (`problem` then holds the message).
int FixedPositionSkyCompute(CliContext& ctx, double raHours, double decDegrees, FixedPositionSky& out,
                            std::string& problem);

}  // namespace vsp::cli
