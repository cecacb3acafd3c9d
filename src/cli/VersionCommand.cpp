#include <ostream>

#include "cli/Command.h"
#include "shell/Product.h"

namespace vsp::cli {

int RunVersion(CliContext& ctx, CommandArgs& args) {
    if (int status = CheckNoLeftover(ctx, args)) return status;
    if (ctx.Json()) {
        PrintJson(ctx, {{"product", kProductName}, {"version", kProductVersion}});
    } else {
        ctx.Out() << kProductName << "\n" << kAboutSecondLine << "\n";
    }
    return kExitOk;
}

}  // namespace vsp::cli
