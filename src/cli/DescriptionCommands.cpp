// `expand TEXT`: the plain-language expansion of a short deep-sky description.

#include <memory>
#include <optional>
#include <string>

#include "catalog/DreyerExpand.h"
#include "cli/Command.h"
#include "platform/Text.h"

namespace vsp::cli {

namespace {

int RunExpand(CliContext& ctx, const std::string& description) {
    char expanded[kDescriptionLongSize];
    DescriptionExpand(Utf8ToCp1252(description), expanded);
    const std::string text = Cp1252ToUtf8(expanded);
    if (ctx.Json()) {
        PrintJson(ctx, {{"text", text}});
    } else {
        ctx.Out() << text << "\n";
    }
    return kExitOk;
}

}  // namespace

void AddDescriptionCommand(CommandRegistry& registry) {
    auto text = std::make_shared<std::optional<std::string>>();
    CLI::App* expand = registry.Add("expand", "The plain-language expansion of a short deep-sky description",
                                    [text](CliContext& ctx) {
                                        if (!*text) return UsageError(ctx, "expand needs a TEXT");
                                        return RunExpand(ctx, **text);
                                    });
    expand->add_option("text", *text, "the description, e.g. \"vF, S, R, psbM\"");
    registry.AllowDashWord(expand, *text);  // a description may begin with '-' ("-F")
    expand->footer("As the object screen shows it under \"Translation\" (key text). Every expansion is followed "
                   "by a blank, a comma becomes a comma and a blank; numbers, notes in parentheses and "
                   "cross-references after \"=\" are copied (the letter right after \"=\" is dropped). The text "
                   "stops after the step that passes 190 characters.");
}

}  // namespace vsp::cli
