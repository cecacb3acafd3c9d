#include "cli/ListResolve.h"

#include <vector>

#include "catalog/Designation.h"
#include "catalog/ListTargets.h"
#include "catalog/StarLookup.h"
#include "cli/Command.h"
#include "cli/CommandOutput.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Time.h"
#include "platform/Text.h"
#include "tools/MinorBodyTargets.h"

namespace vsp::cli {
namespace {

// The Sun, the Moon or a planet by its name, placed for the observing time.
std::optional<ListEntry> BodyEntry(CliContext& ctx, const std::string& word) {
    for (int code = kBodySun; code <= kBodyPluto; ++code) {
        if (Lower(word) != BodyName(code)) continue;
        const EphemerisSettings settings = ctx.Ephemeris();
        const Instant when = LocalInstant(ctx.ObservingTime(), settings);
        BodyPosition position;
        if (ComputeBody(position, code, when, settings) != kEphemerisOk) return std::nullopt;
        return BodyListEntry(code, position, when.tt);
    }
    return std::nullopt;
}

// A comet or minor planet of the databases, placed for the observing time; nullopt when the
// word names none, and `problem` set when it names several.
std::optional<ListEntry> MinorBodyEntry(CliContext& ctx, const std::string& word, std::string& problem) {
    const EphemerisSettings settings = ctx.Ephemeris();
    ListEntry entry;
    std::vector<std::string> candidates;
    switch (LookUpMinorBodyEntry(ctx.Home(), ctx.Messages(), word, LocalInstant(ctx.ObservingTime(), settings), settings,
                                 entry, candidates)) {
        case MinorBodyLookup::Found: return entry;
        case MinorBodyLookup::Ambiguous: {
            std::string names;
            for (const std::string& name : candidates) names += (names.empty() ? "" : ", ") + name;
            problem = "more than one comet or minor planet is " + word + ": " + names;
            return std::nullopt;
        }
        case MinorBodyLookup::NotFound: break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ListEntry> FindListEntry(CliContext& ctx, ObjectCatalogs& catalogs, const std::string& word,
                                       std::string& problem) {
    problem.clear();
    if (auto body = BodyEntry(ctx, word)) return body;
    const std::string narrow = Utf8ToCp1252(word);
    int32_t catalog = 0, number = 0;
    ListEntry entry;
    if (DesignationParse(catalogs.Table(), narrow, catalog, number)) {
        const ListTargetSearch search = FindListTarget(catalogs.Session(), ctx.Messages(), catalog, number, entry, problem);
        if (search == ListTargetSearch::Found) return entry;
        if (search == ListTargetSearch::NoCatalog) problem.clear();
        return std::nullopt;
    }
    FoundStar star;
    CatalogSession& sky = catalogs.Session();
    if (FindStarByName(sky.stars, sky.dir, ctx.Messages(), narrow, star, problem) == StarSearch::Found &&
        star.hrNumber > 0)
        return StarListEntry(star, kCatalogHr, star.hrNumber);
    problem.clear();
    if (auto minor = MinorBodyEntry(ctx, word, problem)) return minor;
    if (problem.empty())
        problem = "not a designation, a planet, a bright star's, a comet's or a minor planet's name: " + word;
    return std::nullopt;
}

std::optional<ListEntry> ResolveEntry(CliContext& ctx, ObjectCatalogs& catalogs, const std::string& word) {
    std::string problem;
    std::optional<ListEntry> entry = FindListEntry(ctx, catalogs, word, problem);
    if (!entry && !problem.empty()) JobFailed(ctx, problem);
    return entry;
}

}  // namespace vsp::cli
