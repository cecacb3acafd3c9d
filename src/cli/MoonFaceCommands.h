#pragma once
// The subcommands of `moon` about its face (MoonFaceCommands.cpp).

#include "cli/Command.h"

namespace vsp::cli {

void AddMoonFaceCommands(CommandRegistry& registry, CLI::App* moon);

}  // namespace vsp::cli
