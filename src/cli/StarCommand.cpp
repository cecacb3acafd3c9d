// `star NUMBER|HRn|HIPn|TYCr-n-1`: a star of the extended catalogs (StarLookup.h) as rows or JSON.

#include <memory>
#include <string>

#include "catalog/CatalogTable.h"
#include "catalog/Designation.h"
#include "catalog/StarAngle.h"
#include "catalog/StarLookup.h"
#include "cli/CatalogWords.h"
#include "format/AngleFormat.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

constexpr std::string_view kStarUsage = "star needs a NUMBER (HR), HRn, HIPn or TYCr-n-1";

int RunStar(CliContext& ctx, const std::string& text) {
    const CatalogTable table = DefaultCatalogTable();
    int32_t catalog = kCatalogHr, number = 0;
    if (const auto plain = ParseWhole(text)) {
        if (*plain < 0 || *plain > kHighestStarNumber) return UsageError(ctx, "no such HR number: " + text);
        number = int32_t(*plain);
    } else if (!DesignationParse(table, text, catalog, number) || !IsStarLookupCatalog(catalog)) {
        return UsageError(ctx, std::string(kStarUsage) + ", not " + text);
    }
    if (catalog == kCatalogHr && (number < 1 || number > kHighestHrNumber))
        return UsageError(ctx, "HR numbers run from 1 to " + std::to_string(kHighestHrNumber) + ": " + text);
    if (catalog == kCatalogHip && (number < 1 || number > kHighestStarNumber))
        return UsageError(ctx, "HIP numbers run from 1 to " + std::to_string(kHighestStarNumber) + ": " + text);

    StarCatalog stars(ctx.Home(), ctx.Messages());
    FoundStar star;
    std::string problem;
    switch (FindStar(stars, ctx.Home(), ctx.Messages(), catalog, number, star, problem)) {
        case StarSearch::Found:
            break;
        case StarSearch::NoCatalog:
            return kExitFailed;
        case StarSearch::NotFound:
            return JobFailed(ctx, problem);
    }

    const StarRecord& r = star.record;
    const double ra = AngleToHours(r.ra);
    const double dec = AngleToDegrees(r.dec);
    const double magnitude = r.magnitude / 16.0;
    const double colour = r.colour / 10.0;
    const std::string name = Cp1252ToUtf8(star.name);
    if (ctx.Json()) {
        PrintJson(ctx, {{"designation", star.designation},
                        {"number", number},
                        {"ra_hours", ra},
                        {"dec_deg", dec},
                        {"magnitude", magnitude},
                        {"color_index", colour},
                        {"name", name.empty() ? nlohmann::json() : nlohmann::json(name)}});
        return kExitOk;
    }
    KeyRows rows;
    rows.Add("designation", star.designation);
    rows.Add("number", std::to_string(number));
    rows.Add("ra_hours", Fixed(ra, 6) + "  " + Cp1252ToUtf8(HMSToStr(ra, ctx.Formats())));
    rows.Add("dec_deg", Fixed(dec, 5) + "  " + Cp1252ToUtf8(DmsToStr(dec, ctx.Formats())));
    rows.Add("magnitude", Fixed(magnitude, 2));
    rows.Add("color_index", Fixed(colour, 1));
    if (!name.empty()) rows.Add("name", name);
    rows.Print(ctx);
    return kExitOk;
}

}  // namespace

void AddStarCommand(CommandRegistry& registry) {
    auto text = std::make_shared<std::string>();
    CLI::App* star = registry.Add("star", "A star of the HR, Hipparcos or Tycho catalogs",
                                  [text](CliContext& ctx) { return RunStar(ctx, *text); });
    AddDesignation(*star, *text, "NUMBER or HRn (the HR catalog), HIPn (Hipparcos 110K), TYCr-n-1 (Tycho 2.5 "
                                 "Million, else Tycho 390K)");
    star->footer("Without the HR catalog the default stars answer for HR numbers. Keys: designation, number, "
                 "ra_hours, dec_deg (J2000), magnitude, color_index (B-V) and name (the bright-star name when it "
                 "is one of the default stars, else null).");
}

}  // namespace vsp::cli
