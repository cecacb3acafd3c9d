#pragma once
// Runs one command of the command line in-process against a temporary program directory.

#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/Command.h"
#include "support/TempHome.h"

namespace vsp::test {

struct CliOutcome {
    int status = -1;
    std::string out, err;
    nlohmann::json Json() const { return nlohmann::json::parse(out); }
};

inline CliOutcome RunCli(cli::CommandRun run, const TempHome& home, std::vector<std::string> words,
                         cli::CommonOptions options = {}) {
    options.home = home.Root();
    std::ostringstream out, err;
    cli::CliContext ctx(options, out, err);
    cli::CommandArgs args(std::move(words));
    CliOutcome outcome;
    outcome.status = run(ctx, args);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

inline cli::CommonOptions JsonOutput() {
    cli::CommonOptions options;
    options.json = true;
    return options;
}

}  // namespace vsp::test
