#include <ostream>

#include "cli/Command.h"
#include "shell/Product.h"

namespace vsp::cli {

namespace {

int RunVersion(CliContext& ctx) {
    if (ctx.Json()) {
        PrintJson(ctx, {{"product", kProductName}, {"version", kProductVersion}});
    } else {
        ctx.Out() << kProductName << "\n" << kAboutSecondLine << "\n";
    }
    return kExitOk;
}

}  // namespace

void AddVersionCommand(CommandRegistry& registry) {
    registry.Add("version", "The product name and version, as the About box shows them", RunVersion);
}

}  // namespace vsp::cli
