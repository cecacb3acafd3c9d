#include "cli/CatalogWords.h"

namespace vsp::cli {

std::optional<std::string> TakeDesignationText(CliContext& ctx, CommandArgs& args, std::string_view usage,
                                               int& status) {
    std::string text;
    while (auto word = args.TakeWord()) {
        if (!text.empty()) text += ' ';
        text += *word;
    }
    if ((status = CheckNoLeftover(ctx, args))) return std::nullopt;
    if (text.empty()) {
        status = UsageError(ctx, usage);
        return std::nullopt;
    }
    return text;
}

}  // namespace vsp::cli
