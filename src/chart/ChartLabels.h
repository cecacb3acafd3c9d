#pragma once
// The two info texts of the chart, in the device code page (the degree sign is byte 0xB0).
#include <string>

#include "chart/ChartView.h"

namespace vsp {

// "2.5°" or "90°": the field of view of a level (clamped into 0..13), as the zoom list shows it.
std::string FieldOfViewText(int level);

// "FOV 2.5°" or "FOV 90°" from the level's field of view; empty for level 13, which has none.
std::string FieldOfViewLabel(int level);

// "O<9, S<6", or "All, S<6" when the object limit is "All"; the limits truncated.
std::string LimitsLabel(const MagnitudeLimits& limits);

// A field size in arcminutes, truncated to whole seconds: "45'30''" up to 60 arcminutes,
// "1\xB015'15''" (degrees, minutes, seconds) above.
std::string FieldSizeLabel(double arcminutes);

}  // namespace vsp
