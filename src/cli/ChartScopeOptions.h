#pragma once
// `chart --scope PATH [--drive CODE|NAME] [--follow SECONDS]`: the telescope followed as the
// chart form follows it, so that the chart is drawn with the mount's marker.

#include <nlohmann/json.hpp>

#include "chart/ChartRenderer.h"
#include "cli/ScopeSession.h"

namespace vsp::cli {

struct ChartScopeArgs {
    ScopeOptions scope;        // no port: the chart follows no telescope
    double followSeconds = 0;  // 0: one reading
};

void AddChartScopeOptions(CLI::App& command, ChartScopeArgs& args);
// Follows the mount of `args` for its seconds, leaving where it points in `scene.scope`; false
// with `status` set when it cannot be reached or answered no reading.
bool FollowChartScope(CliContext& ctx, const ChartScopeArgs& args, ChartScene& scene, int& status);
// {x, y, ra_hours, dec_deg} of the marker drawn, null when it is not on the chart.
nlohmann::json ChartScopeJson(const ChartScene& scene, const ChartDrawn& drawn);

}  // namespace vsp::cli
