#pragma once
// One line of gpsd's JSON reports (protocol 3, "?WATCH={"json":true}"): a TPV report with a
// 2D or 3D fix becomes the reading a receiver's sentences give, a DEVICES report without a
// device tells that gpsd has no receiver to read. Everything else (VERSION, SKY, a TPV without
// a fix, a line that is not JSON) is passed by.

#include <string_view>

#include "scope/GpsFix.h"

namespace vsp {

enum class GpsdReportKind { Other, NoDevice, Fix };

struct GpsdReport {
    GpsdReportKind kind = GpsdReportKind::Other;
    // For a fix: lat and lon (WGS84 degrees, every decimal gpsd gave), the texts the location
    // form shows, `altMSL` (older gpsd: `alt`) in whole metres when the fix is 3D, "hh:mm:ss"
    // of `time` (UTC) and the talker "gpsd".
    GpsFix fix;
};

// `localHour` gives the fix's hour difference, as an RMC sentence does.
GpsdReport ParseGpsdReport(std::string_view line, int localHour);

}  // namespace vsp
