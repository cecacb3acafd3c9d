#pragma once
// What the interactive window takes from the command line.

#include <functional>
#include <optional>
#include <string>

namespace vsp::cli {

struct WindowOptions {
    std::optional<std::string> home;
    std::optional<int> dpi;  // none: the scale kept from the last run, else one that fits the display
};
using WindowRun = std::function<int(const WindowOptions&)>;

}  // namespace vsp::cli
