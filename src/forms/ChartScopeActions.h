#pragma once
// What the chart asks of the telescope: go to the selected object, sync on it, and read where
// the telescope points to centre the chart there. Each shows its own messages; the dispatcher
// shows the mount's.

#include <optional>
#include <string_view>

#include "chart/ChartIdentify.h"
#include "chart/ChartView.h"
#include "scope/Telescope.h"
#include "shell/AppState.h"

namespace vsp::chart_text {

inline constexpr std::string_view kNoSelection = "No Object or Star selected.";
inline constexpr std::string_view kNoDrive = "No drive selected.";
inline constexpr std::string_view kNotInSky = "Your scope doesn't seem to point to the sky";
inline constexpr std::string_view kCheckPlaceTime = "Check your location information and current time.";
inline constexpr std::string_view kNoGotoSun = "Sorry, GoTo to Sun is disable.";
inline constexpr std::string_view kUseKeys = "Please use Palm Keys to control your scope";
inline constexpr std::string_view kLoading = "Loading sky...";
inline constexpr std::string_view kHelpFirst =
    "\x95 Tap a star or an object to name it. Drag the chart to move it.\n"
    "\x95 The lists on top choose the field of view, an object to centre and the telescope's "
    "commands.";
inline constexpr std::string_view kHelpSecond = "\x95 Tap the date and time at the bottom to change them.";

}  // namespace vsp::chart_text

namespace vsp {

// The selection's catalog place (J2000): bodies are held as places of date and go back
// through the chart's frame.
EquatorialPosition SelectionCatalogPlace(const ChartSelection& selection, const ChartView& view);

// Sends the selection to the mount (the Sun refused); the dispatcher's outcome, or Failed
// when nothing was sent.
ScopeGotoResult GotoSelection(AppState& state, Telescope& telescope, const ChartSelection& selection,
                              const ChartView& view);
// Tells the mount it points at the selection; drives without a sync say so.
bool SyncOnSelection(AppState& state, Telescope& telescope, const ChartSelection& selection, const ChartView& view);
// Where the telescope points (of date) when a drive is chosen and the telescope looks above
// the horizon; nothing after the message saying why not.
std::optional<EquatorialPosition> ScopePlaceInSky(AppState& state, Telescope& telescope);

}  // namespace vsp
