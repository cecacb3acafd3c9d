#pragma once
// `chart --select DESIGNATION --telrad --eyepiece N --ccd`: a selection and the finder overlays
// drawn about it, with the sizes actually drawn in the JSON so that a user can check them.

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "chart/ChartRenderer.h"
#include "cli/Command.h"

namespace vsp::cli {

struct ChartOverlayArgs {
    std::optional<std::string> select;
    bool telrad = false;
    bool ccd = false;
    std::optional<int> eyepiece;  // 0 none, N the N-th of the eyepiece list
};

void AddChartOverlayOptions(CLI::App& command, ChartOverlayArgs& args);
// The overlay switches and the eyepiece of the options laid over `prefs`.
void ApplyOverlayOptions(const ChartOverlayArgs& args, Preferences& prefs);
// A star (HR/HIP/TYC number or a bright star's name) or an object outside the chart's table as
// the selection; false with `status` set when the text names nothing.
bool SelectSkyTarget(CliContext& ctx, const std::string& text, ChartScene& scene, int& status);
// "selection": {x, y} or null; "overlays": the radii, half sizes and labels drawn.
nlohmann::json ChartSelectionJson(const ChartDrawn& drawn);
nlohmann::json ChartOverlaysJson(const ChartDrawn& drawn);

}  // namespace vsp::cli
