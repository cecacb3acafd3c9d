#pragma once
// The interactive window's scale kept from one run to the next: the dpi of the screen as the
// user last sized the window, one line of decimal digits in `window_dpi` of the program
// directory, replaced whole (a unique temporary file renamed over it).

#include <optional>

#include "platform/ProgramDir.h"

namespace vsp::app {

// The kept dpi; nothing when there is none, or the file holds anything but a number in the
// window's range (48 to 960).
std::optional<int> ReadKeptDpi(const ProgramDir& dir);
// False when the file could not be written (an earlier one is then left as it was).
bool KeepDpi(const ProgramDir& dir, int dpi);

}  // namespace vsp::app
