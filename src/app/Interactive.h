#pragma once

namespace vsp::app {

// Runs the interactive program: single instance, main window, forms; returns the exit code.
int RunInteractive(int argc, char** argv);

}  // namespace vsp::app
