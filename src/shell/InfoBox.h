#pragma once
// Information boxes. A box requested while another is showing waits in a queue of five (each
// line cut to 255 bytes); more are dropped. Once the showing box is answered the first queued
// one follows, then the rest newest first.

#include <string_view>

#include "shell/AppState.h"

namespace vsp {

inline constexpr std::string_view kInformationCaption = "Information";
inline constexpr std::string_view kErrorCaption = "Error";

// Answers 1 when the main window exists, else 0: the documented result of the box, the same
// as every InfoSink's.
int InfoBox(AppState& state, std::string_view firstLine, std::string_view secondLine);
// The same box with Yes and No; true when the user answered No.
bool InfoBoxYesNo(AppState& state, std::string_view firstLine, std::string_view secondLine);
// "Error %d: %s" with the last system error, captioned "Error".
void ShowLastSystemError(AppState& state);
// A box whose text and caption come as UTF-8 (converted for the display); nothing is shown
// without a foreground window.
void WideMessageBox(AppState& state, std::string_view textUtf8, std::string_view captionUtf8);

}  // namespace vsp
