#pragma once
// The `minor` family, whose commands live in more than one file: each file adds its commands to
// the one family this gives.

#include "cli/Command.h"

namespace vsp::cli {

inline CLI::App* MinorFamily(CommandRegistry& registry) {
    return registry.AddFamily("minor", "Comets and minor planets: element files, lists, positions");
}

}  // namespace vsp::cli
