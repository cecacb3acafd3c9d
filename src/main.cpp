// Without a command the interactive window opens; with one, the job runs headless and exits.

#include "app/Interactive.h"
#include "cli/Command.h"

int main(int argc, char** argv) {
    if (vsp::cli::HasCommand(argc, argv)) return vsp::cli::RunCommandLine(argc, argv);
    return vsp::app::RunInteractive(argc, argv);
}
