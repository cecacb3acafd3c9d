#pragma once
// A time-zone offset as users read it.

#include <string>

namespace vsp {

// "+5:30" for 330 minutes, "-3:00" for -180, "+0:00" for 0.
std::string ZoneText(int minutes);

}  // namespace vsp
