#pragma once
// What the interactive window takes from the command line.

#include <functional>
#include <optional>
#include <string>

namespace vsp::cli {

struct WindowOptions {
    std::optional<std::string> home;
    int dpi = 96;
};
using WindowRun = std::function<int(const WindowOptions&)>;

}  // namespace vsp::cli
