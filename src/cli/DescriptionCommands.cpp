// `expand TEXT`: the plain-language expansion of a short deep-sky description.

#include <string>

#include "catalog/DreyerExpand.h"
#include "cli/Command.h"
#include "platform/Text.h"

namespace vsp::cli {

int RunExpand(CliContext& ctx, CommandArgs& args) {
    if (!args.error.empty()) return UsageError(ctx, args.error);
    // The text is taken as it stands (a description may begin with '-'); only "--..." is an
    // option, and expand has none of its own.
    const std::vector<std::string>& words = args.Words();
    for (const std::string& word : words) {
        if (word.rfind("--", 0) == 0) return UsageError(ctx, "unknown option: " + word);
    }
    if (words.empty()) return UsageError(ctx, "expand needs a TEXT");
    if (words.size() > 1) return UsageError(ctx, "unexpected argument: " + words[1]);

    char expanded[kDescriptionLongSize];
    DescriptionExpand(Utf8ToCp1252(words.front()), expanded);
    const std::string text = Cp1252ToUtf8(expanded);
    if (ctx.Json()) {
        PrintJson(ctx, {{"text", text}});
    } else {
        ctx.Out() << text << "\n";
    }
    return kExitOk;
}

}  // namespace vsp::cli
