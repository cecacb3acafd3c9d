#pragma once
// The small box in the middle of a form that tells what a long job is doing ("Please wait,
// selecting" / "visible Messiers.", "Checking Messier  "). A form that runs such jobs puts the
// box in its template, hidden, after every other control so that it is drawn over them.

#include <string_view>

#include "platform/Control.h"
#include "shell/AppState.h"

namespace vsp {

inline constexpr int kProgressBoxId = 9980;

ControlTemplate ProgressBoxTemplate();
// Shows the box on the current form with one or two lines and repaints the window at once
// (the job runs on the window's thread). A form without the box is left as it is.
void ShowProgressBox(AppState& state, std::string_view firstLine, std::string_view secondLine = {});
void HideProgressBox(AppState& state);

}  // namespace vsp
