#pragma once
// What a finder page says about its target, its night and the instrument: the target found by
// name (or taken from the observing list) with its deep-sky facts, and the footer's lines.

#include <optional>
#include <string>
#include <vector>

#include "catalog/ListEntry.h"
#include "chart/ChartRenderer.h"
#include "chart/FinderChart.h"
#include "cli/Command.h"

namespace vsp::cli {

struct FinderTarget {
    std::string name;        // UTF-8, as the program writes it
    double raHours = 0.0;    // J2000
    double decDeg = 0.0;
    std::optional<float> magnitude;
    std::string title;       // device code page from here on
    std::vector<std::string> data;
};

// The target a command-line word names; nullopt with `status` set after the message.
std::optional<FinderTarget> FindFinderTarget(CliContext& ctx, const std::string& text, int& status);
// An entry of the observing list as it stands there.
FinderTarget ListFinderTarget(CliContext& ctx, const ListEntry& entry);

// Rise, transit and set at the observing site for the night, and the chart's field line.
void AddNightLines(CliContext& ctx, FinderTarget& target, const FinderSheet& sheet);

// Date and time, the site, the telescope with the eyepiece and the camera the page shows.
std::vector<std::string> FinderFooter(CliContext& ctx, const ChartScene& scene, const FinderOverlays& overlays,
                                      bool ccd);

}  // namespace vsp::cli
