#pragma once

#include "cli/WindowOptions.h"

namespace vsp::app {

// Runs the interactive program: single instance, main window, forms; returns the exit code.
int RunInteractive(const cli::WindowOptions& options);

}  // namespace vsp::app
