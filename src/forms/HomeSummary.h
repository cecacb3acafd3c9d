#pragma once
// The sky summary of the home form: the place and time observed, when the Sun rises and sets,
// the Moon's light and its rise and set, and the hours of full darkness.

#include <string>

#include "shell/AppState.h"

namespace vsp {

// The summary's lines for the observing place and date (local clock times).
std::string HomeSummaryText(AppState& state);
// Puts it on the home form; the home form's timer and opening call it.
void RefreshHomeSummary(AppState& state, FormWindow& home);

}  // namespace vsp
