// Without a command the interactive window opens; with one, the job runs headless and exits.

#include <iostream>

#include "app/Interactive.h"
#include "cli/Command.h"

int main(int argc, char** argv) {
    return vsp::cli::RunCommandLine({argv + 1, argv + argc}, std::cout, std::cerr, vsp::app::RunInteractive);
}
