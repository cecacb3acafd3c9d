#pragma once
// The two info texts of the chart, in the device code page (the degree sign is byte 0xB0).
#include <string>

#include "chart/ChartView.h"

namespace vsp {

// "FOV 2.5°" or "FOV 90°" from the level's field of view; empty for level 13, which has none.
std::string FieldOfViewLabel(int level);

// "O<9, S<6", or "All, S<6" when the object limit is "All"; the limits truncated.
std::string LimitsLabel(const MagnitudeLimits& limits);

}  // namespace vsp
