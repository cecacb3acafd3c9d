#include "cli/ListResolve.h"

#include "cli/Command.h"

namespace vsp::cli {

ListWordPlace ListPlaceOf(CliContext& ctx) {
    return {ctx.Home(), ctx.Messages(), ctx.ObservingTime(), ctx.Ephemeris()};
}

std::optional<ListEntry> ResolveEntry(CliContext& ctx, ObjectCatalogs& catalogs, const std::string& word) {
    std::string problem;
    std::optional<ListEntry> entry = FindListWord(ListPlaceOf(ctx), catalogs, word, problem);
    if (!entry && !problem.empty()) JobFailed(ctx, problem);
    return entry;
}

}  // namespace vsp::cli
