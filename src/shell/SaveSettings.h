#pragma once
// Saving the run's settings from a form that changed one.

#include "shell/AppState.h"

namespace vsp {

// Saves the settings at once under the user-files lock; a failure is told in a box.
bool SaveSettings(AppState& state);

}  // namespace vsp
