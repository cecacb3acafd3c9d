#pragma once
// A place on the sky named on the command line the way an observer names it: a deep-sky
// designation (M42, NGC 1976), a star number (HR7001, HIP91262, TYC...), a bright star's
// proper name (Vega), or a comet or minor planet of the databases (12P, C/2023 A3, Ceres) at
// the observing time. The telescope commands point at these.

#include <optional>
#include <string>

#include "cli/Command.h"

namespace vsp::cli {

struct SkyTarget {
    std::string name;  // as the program writes it (UTF-8)
    double raHours = 0.0;  // J2000 catalog place (a comet's: MinorBodyTargets.h)
    double decDegrees = 0.0;
    float magnitude = 0.0f;
};

// The target, or nullopt with `status` the exit status after the reason was printed.
std::optional<SkyTarget> ResolveSkyTarget(CliContext& ctx, const std::string& text, int& status);

}  // namespace vsp::cli
