// `star NUMBER|HRn|HIPn|TYCr-n-1`: a star from the extended catalogs through their number
// indexes (HR, Hipparcos 110K) or the Tycho index, named from the bright-star file when it is
// one of the default stars.

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "catalog/CatalogTable.h"
#include "catalog/Designation.h"
#include "catalog/ExtendedStarCatalogs.h"
#include "catalog/StarAngle.h"
#include "catalog/StarCatalog.h"
#include "cli/CatalogWords.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Spherical.h"
#include "format/AngleFormat.h"
#include "platform/Text.h"

namespace vsp::cli {
namespace {

constexpr std::string_view kStarUsage = "star needs a NUMBER (HR), HRn, HIPn or TYCr-n-1";

constexpr int32_t kHighestHrNumber = 9110;

// Two catalogs of one star agree to the rounding of the extended entries (a second of right
// ascension, an arcsecond of declination); a neighbour of similar brightness is farther off.
constexpr double kSameStarArcsec = 20.0;
constexpr int kSameStarMagnitude16 = 4;

std::string FileOfRow(int row) { return std::string(ExtendedCatalogs()[size_t(row)].fileName); }

// The extended catalog of one of `rows` that opens first; the row, or -1 after the message.
int OpenFirst(CliContext& ctx, StarCatalog& stars, std::initializer_list<int> rows) {
    for (int row : rows)
        if (stars.OpenExtendedCatalog(row)) return row;
    const std::string wanted = FileOfRow(*rows.begin());
    const std::string path = ctx.Home().Path(std::string(kDataDir) + wanted);
    if (FileExists(path)) ctx.Messages().InfoBox(kHipparcosNotOpen, wanted + " is not a star catalog of this program.");
    else ctx.Messages().InfoBox(kHipparcosNotOpen, "Please install " + wanted + " into data sub directory.");
    return -1;
}

// The default stars, loaded quietly: they only add names, so a missing file is no failure.
bool LoadDefaultStars(CliContext& ctx, StarCatalog& stars) {
    if (!FileExists(ctx.Home().Path(std::string(kDataDir) + std::string(kDefaultStarsFileName)))) return false;
    return stars.OpenDefaultStars() && stars.LoadDefaultStars() && stars.DefaultStarsRead() > 0;
}

int DefaultStarByNumber(StarCatalog& stars, int32_t number) {
    for (int i = 0; i < stars.DefaultStarsRead(); ++i)
        if (stars.DefaultStars()[size_t(i)].number == number) return i;
    return -1;
}

// The default star at the place of an extended-catalog star, of about its brightness.
int DefaultStarAt(StarCatalog& stars, const StarRecord& star) {
    const double raHours = AngleToHours(star.ra), decDeg = AngleToDegrees(star.dec);
    int best = -1;
    double bestArcsec = kSameStarArcsec;
    for (int i = 0; i < stars.DefaultStarsRead(); ++i) {
        const StarRecord& candidate = stars.DefaultStars()[size_t(i)];
        if (std::abs(int(candidate.magnitude) - int(star.magnitude)) > kSameStarMagnitude16) continue;
        const double arcsec = AngularSeparation(AngleToHours(candidate.ra), AngleToDegrees(candidate.dec),
                                                raHours, decDeg) * kRadToDeg * 3600.0;
        if (arcsec <= bestArcsec) {
            bestArcsec = arcsec;
            best = i;
        }
    }
    return best;
}

std::string BrightStarName(StarCatalog& stars, int defaultIndex) {
    if (defaultIndex < 0) return {};
    const int found = stars.FindBrightStar(stars.DefaultStars()[size_t(defaultIndex)].number);
    BrightStarRecord record;
    if (found < 0 || !stars.ReadBrightStar(found, record)) return {};
    return record.name;
}

// The lookup leaves the record untouched when the star is not in the block its index names,
// and fills in only the low 16 bits of the number: a number no star can leave marks "not
// found".
bool StarByNumber(StarCatalog& stars, int32_t number, StarRecord& out) {
    out.number = -1;
    stars.StarByNumber(number, out);
    return out.number != -1;
}

struct FoundStar {
    std::string designation;
    StarRecord record;
    std::string name;  // code page
};

// HR stars: the 9110-star catalog through its number index; without that file, the default
// stars (all of them HR stars).
int FindHr(CliContext& ctx, StarCatalog& stars, int32_t number, FoundStar& out) {
    const bool haveDefaults = LoadDefaultStars(ctx, stars);
    if (stars.OpenExtendedCatalog(kExtendedHr)) {
        if (!StarByNumber(stars, number, out.record))
            return JobFailed(ctx, out.designation + ": no such star in " + FileOfRow(kExtendedHr));
    } else if (const int index = haveDefaults ? DefaultStarByNumber(stars, number) : -1; index >= 0) {
        out.record = stars.DefaultStars()[size_t(index)];
    } else {
        OpenFirst(ctx, stars, {kExtendedHr});
        return kExitFailed;
    }
    if (haveDefaults) out.name = BrightStarName(stars, DefaultStarByNumber(stars, number));
    return kExitOk;
}

int FindHip(CliContext& ctx, StarCatalog& stars, int32_t number, FoundStar& out) {
    if (OpenFirst(ctx, stars, {kExtendedHip110k}) < 0) return kExitFailed;
    if (!StarByNumber(stars, number, out.record))
        return JobFailed(ctx, out.designation + ": no such star in " + FileOfRow(kExtendedHip110k));
    if (LoadDefaultStars(ctx, stars)) out.name = BrightStarName(stars, DefaultStarAt(stars, out.record));
    return kExitOk;
}

int FindTycho(CliContext& ctx, StarCatalog& stars, int32_t number, FoundStar& out) {
    const int row = OpenFirst(ctx, stars, {kExtendedTycho2500k, kExtendedTycho390k});
    if (row < 0) return kExitFailed;
    if (!stars.StarByTycho(number, out.record))
        return JobFailed(ctx, out.designation + ": no such star in " + FileOfRow(row));
    if (LoadDefaultStars(ctx, stars)) out.name = BrightStarName(stars, DefaultStarAt(stars, out.record));
    return kExitOk;
}

int RunStar(CliContext& ctx, const std::string& text) {
    int status = kExitOk;

    const CatalogTable table = DefaultCatalogTable();
    int32_t catalog = kCatalogHr, number = 0;
    if (const auto plain = ParseWhole(text)) {
        if (*plain < 0 || *plain > kHighestStarNumber) return UsageError(ctx, "no such HR number: " + text);
        number = int32_t(*plain);
    } else if (!DesignationParse(table, text, catalog, number) ||
               (catalog != kCatalogHr && catalog != kCatalogHip && catalog != kCatalogTycho)) {
        return UsageError(ctx, std::string(kStarUsage) + ", not " + text);
    }
    if (catalog == kCatalogHr && (number < 1 || number > kHighestHrNumber))
        return UsageError(ctx, "HR numbers run from 1 to " + std::to_string(kHighestHrNumber) + ": " + text);
    if (catalog == kCatalogHip && (number < 1 || number > kHighestStarNumber))
        return UsageError(ctx, "HIP numbers run from 1 to " + std::to_string(kHighestStarNumber) + ": " + text);

    StarCatalog stars(ctx.Home(), ctx.Messages());
    FoundStar star;
    star.designation = CatalogDesignation(table, catalog, number);
    if (catalog == kCatalogHr) status = FindHr(ctx, stars, number, star);
    else if (catalog == kCatalogHip) status = FindHip(ctx, stars, number, star);
    else status = FindTycho(ctx, stars, number, star);
    if (status != kExitOk) return status;

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
