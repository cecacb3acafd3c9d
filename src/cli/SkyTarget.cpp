#include "cli/SkyTarget.h"

#include "catalog/CatalogTable.h"
#include "catalog/Designation.h"
#include "catalog/ObjectLookup.h"
#include "catalog/StarAngle.h"
#include "catalog/StarLookup.h"
#include "platform/Text.h"
#include "tools/MinorBodyTargets.h"

namespace vsp::cli {
namespace {

std::optional<SkyTarget> FoundStarTarget(CliContext& ctx, StarSearch search, const FoundStar& star,
                                         const std::string& problem, int& status) {
    if (search == StarSearch::NoCatalog) {
        status = kExitFailed;
        return std::nullopt;
    }
    if (search == StarSearch::NotFound) {
        status = JobFailed(ctx, problem);
        return std::nullopt;
    }
    const std::string name = star.name.empty() ? star.designation : star.name;
    return SkyTarget{Cp1252ToUtf8(name), AngleToHours(star.record.ra), AngleToDegrees(star.record.dec),
                     star.record.magnitude / 16.0f};
}

std::optional<SkyTarget> ObjectTarget(CliContext& ctx, int32_t catalog, int32_t number, int& status) {
    ObjectCatalogs catalogs(ctx.Home(), ctx.Messages());
    catalogs.Open();
    status = kExitFailed;
    // The opening has already said why the object file is missing.
    if (!catalogs.Files().objects.IsOpen()) return std::nullopt;
    FoundObject found;
    std::string problem;
    if (FindObject(catalogs.Session(), ctx.Messages(), catalog, number, found, problem) != ObjectSearch::Found) {
        JobFailed(ctx, problem);
        return std::nullopt;
    }
    return SkyTarget{Cp1252ToUtf8(CatalogDesignation(DefaultCatalogTable(), catalog, number)), found.record.ra,
                     found.record.dec, found.record.magnitude};
}

// A comet or minor planet of the databases at the observing time; nullopt with `status` set
// when the text names none or several.
std::optional<SkyTarget> MinorBodyTarget(CliContext& ctx, const std::string& text, int& status) {
    const EphemerisSettings settings = ctx.Ephemeris();
    ListEntry entry;
    std::vector<std::string> candidates;
    switch (LookUpMinorBodyEntry(ctx.Home(), ctx.Messages(), text, LocalInstant(ctx.ObservingTime(), settings),
                                 settings, entry, candidates)) {
        case MinorBodyLookup::Found:
            return SkyTarget{Cp1252ToUtf8(entry.name), entry.ra, entry.dec, float(entry.magnitudeX10 / 10.0)};
        case MinorBodyLookup::Ambiguous: {
            std::string names;
            for (const std::string& name : candidates) names += (names.empty() ? "" : ", ") + name;
            status = UsageError(ctx, "more than one comet or minor planet is " + text + ": " + names);
            return std::nullopt;
        }
        case MinorBodyLookup::NotFound: break;
    }
    status = UsageError(ctx, "not a designation, a bright star's, a comet's or a minor planet's name: " + text);
    return std::nullopt;
}

}  // namespace

std::optional<SkyTarget> ResolveSkyTarget(CliContext& ctx, const std::string& text, int& status) {
    const std::string narrow = Utf8ToCp1252(text);
    int32_t catalog = 0, number = 0;
    StarCatalog stars(ctx.Home(), ctx.Messages());
    FoundStar star;
    std::string problem;
    if (!DesignationParse(DefaultCatalogTable(), narrow, catalog, number)) {
        const StarSearch search = FindStarByName(stars, ctx.Home(), ctx.Messages(), narrow, star, problem);
        if (search != StarSearch::NotFound) return FoundStarTarget(ctx, search, star, problem, status);
        return MinorBodyTarget(ctx, text, status);
    }
    if (!IsStarLookupCatalog(catalog)) return ObjectTarget(ctx, catalog, number, status);
    const StarSearch search = FindStar(stars, ctx.Home(), ctx.Messages(), catalog, number, star, problem);
    return FoundStarTarget(ctx, search, star, problem, status);
}

}  // namespace vsp::cli
