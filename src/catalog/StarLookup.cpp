#include "catalog/StarLookup.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "catalog/CatalogTable.h"
#include "catalog/Designation.h"
#include "catalog/ExtendedStarCatalogs.h"
#include "catalog/StarAngle.h"
#include "ephemeris/Constants.h"
#include "ephemeris/Spherical.h"
#include "platform/Text.h"

namespace vsp {
namespace {

// Two catalogs of one star agree to the rounding of the extended entries (a second of right
// ascension, an arcsecond of declination); a neighbour of similar brightness is farther off.
constexpr double kSameStarArcsec = 20.0;
constexpr int kSameStarMagnitude16 = 4;
constexpr int kNeighbourBlocks = 2;

// The extended catalogs that hold the stars of a catalog, the one to try first first.
std::span<const int> RowsOf(int32_t catalog) {
    static constexpr int kHr[] = {kExtendedHr};
    static constexpr int kHip[] = {kExtendedHip110k};
    static constexpr int kTycho[] = {kExtendedTycho2500k, kExtendedTycho390k};
    if (catalog == kCatalogHr) return kHr;
    if (catalog == kCatalogHip) return kHip;
    return kTycho;
}

std::string FileOfRow(int row) { return std::string(ExtendedCatalogs()[size_t(row)].fileName); }

// The extended catalog of one of `rows` that is open or opens first; the row, or -1 after the
// message.
int OpenFirst(StarCatalog& stars, const ProgramDir& dir, InfoSink& messages, std::span<const int> rows) {
    for (int row : rows)
        if (stars.ExtendedOpen() && stars.ExtendedIndex() == row) return row;
    for (int row : rows)
        if (stars.OpenExtendedCatalog(row)) return row;
    const std::string wanted = FileOfRow(rows.front());
    if (FileExists(dir.Path(std::string(kDataDir) + wanted)))
        messages.InfoBox(kHipparcosNotOpen, wanted + " is not a star catalog of this program.");
    else
        messages.InfoBox(kHipparcosNotOpen, "Please install " + wanted + " into data sub directory.");
    return -1;
}

// The default stars, loaded quietly: they only add names, so a missing file is no failure.
bool LoadDefaultStars(StarCatalog& stars, const ProgramDir& dir) {
    if (!stars.DefaultStarsLoaded()) {
        if (!FileExists(dir.Path(std::string(kDataDir) + std::string(kDefaultStarsFileName)))) return false;
        if (!stars.OpenDefaultStars()) return false;
    }
    return stars.LoadDefaultStars() && stars.DefaultStarsRead() > 0;
}

int DefaultStarByNumber(StarCatalog& stars, int32_t number) {
    for (int i = 0; i < stars.DefaultStarsRead(); ++i)
        if (stars.DefaultStars()[size_t(i)].number == number) return i;
    return -1;
}

// How far `candidate` stands from `star` (arcseconds) when it is of about its brightness; more
// than kSameStarArcsec otherwise.
double SameStarArcsec(const StarRecord& star, const StarRecord& candidate) {
    if (std::abs(int(candidate.magnitude) - int(star.magnitude)) > kSameStarMagnitude16) return 2 * kSameStarArcsec;
    return AngularSeparation(AngleToHours(candidate.ra), AngleToDegrees(candidate.dec), AngleToHours(star.ra),
                             AngleToDegrees(star.dec)) * kRadToDeg * 3600.0;
}

// The default star at the place of an extended-catalog star, of about its brightness.
int DefaultStarAt(StarCatalog& stars, const StarRecord& star) {
    int best = -1;
    double bestArcsec = kSameStarArcsec;
    for (int i = 0; i < stars.DefaultStarsRead(); ++i) {
        const double arcsec = SameStarArcsec(star, stars.DefaultStars()[size_t(i)]);
        if (arcsec <= bestArcsec) {
            bestArcsec = arcsec;
            best = i;
        }
    }
    return best;
}

// The name and HR number of the default star `defaultIndex` (-1: none).
void NameFromDefaultStar(StarCatalog& stars, int defaultIndex, FoundStar& out) {
    if (defaultIndex < 0) return;
    out.hrNumber = stars.DefaultStars()[size_t(defaultIndex)].number;
    const int found = stars.FindBrightStar(out.hrNumber);
    BrightStarRecord record;
    if (found >= 0 && stars.ReadBrightStar(found, record)) out.name = record.name;
}

// The lookup leaves the record untouched when the star is not in the block its index names,
// and fills in only the low 16 bits of the number: a number no star can leave marks "not
// found".
bool StarByNumber(StarCatalog& stars, int32_t number, StarRecord& out) {
    out.number = -1;
    stars.StarByNumber(number, out);
    return out.number != -1;
}

bool InRange(int32_t catalog, int32_t number) {
    if (catalog == kCatalogHr) return number >= 1 && number <= kHighestHrNumber;
    if (catalog == kCatalogHip) return number >= 1 && number <= kHighestStarNumber;
    return true;
}

// HR stars without the HR file: the default stars (all of them HR stars).
StarSearch FindDefaultHr(StarCatalog& stars, const ProgramDir& dir, InfoSink& messages, int32_t number,
                         FoundStar& out) {
    const int index = LoadDefaultStars(stars, dir) ? DefaultStarByNumber(stars, number) : -1;
    if (index < 0) {
        OpenFirst(stars, dir, messages, RowsOf(kCatalogHr));
        return StarSearch::NoCatalog;
    }
    out.record = stars.DefaultStars()[size_t(index)];
    NameFromDefaultStar(stars, index, out);
    return StarSearch::Found;
}

}  // namespace

bool IsStarLookupCatalog(int32_t catalog) {
    return catalog == kCatalogHr || catalog == kCatalogHip || catalog == kCatalogTycho;
}

bool StarCatalogHolds(const StarCatalog& stars, int32_t catalog) {
    if (!IsStarLookupCatalog(catalog) || !stars.ExtendedOpen()) return false;
    for (int row : RowsOf(catalog))
        if (stars.ExtendedIndex() == row) return true;
    return false;
}

StarSearch FindStar(StarCatalog& stars, const ProgramDir& dir, InfoSink& messages, int32_t catalog, int32_t number,
                    FoundStar& out, std::string& problem) {
    out = FoundStar{};
    out.designation = CatalogDesignation(DefaultCatalogTable(), catalog, number);
    if (catalog == kCatalogHr && !StarCatalogHolds(stars, catalog) && !stars.OpenExtendedCatalog(kExtendedHr))
        return FindDefaultHr(stars, dir, messages, number, out);
    const int row = OpenFirst(stars, dir, messages, RowsOf(catalog));
    if (row < 0) return StarSearch::NoCatalog;
    const bool found = InRange(catalog, number) &&
                       (catalog == kCatalogTycho ? stars.StarByTycho(number, out.record)
                                                 : StarByNumber(stars, number, out.record));
    if (!found) {
        problem = out.designation + ": no such star in " + FileOfRow(row);
        return StarSearch::NotFound;
    }
    if (LoadDefaultStars(stars, dir)) {
        const int index = catalog == kCatalogHr ? DefaultStarByNumber(stars, number) : DefaultStarAt(stars, out.record);
        NameFromDefaultStar(stars, index, out);
    }
    return StarSearch::Found;
}

StarSearch FindStarByName(StarCatalog& stars, const ProgramDir& dir, InfoSink& messages, std::string_view name,
                          FoundStar& out, std::string& problem) {
    out = FoundStar{};
    if (!LoadDefaultStars(stars, dir)) {
        messages.InfoBox(kStarDatabaseMissing, "");
        return StarSearch::NoCatalog;
    }
    BrightStarRecord record;
    for (int i = 0; i < stars.BrightStarCount(); ++i) {
        if (!stars.ReadBrightStar(i, record) || !EqualsIgnoringCase(record.name, name)) continue;
        if (record.starIndex < 0 || record.starIndex >= stars.DefaultStarsRead()) break;
        out.record = stars.DefaultStars()[size_t(record.starIndex)];
        out.name = record.name;
        out.hrNumber = out.record.number;
        out.designation = CatalogDesignation(DefaultCatalogTable(), kCatalogHr, out.hrNumber);
        return StarSearch::Found;
    }
    problem = "no bright star is named " + std::string(name);
    return StarSearch::NotFound;
}

int32_t HipparcosNumberAt(const ProgramDir& dir, InfoSink& messages, const StarRecord& star) {
    StarCatalog hipparcos(dir, messages);
    if (!hipparcos.OpenExtendedCatalog(kExtendedHip110k)) return 0;
    const int block = hipparcos.BlockByDeclination(float(AngleToDegrees(star.dec)));
    const int perBlock = hipparcos.EntriesPerBlock();
    if (block < 0 || perBlock <= 0) return 0;
    // The search lands on a block beside the one whose range holds the declination.
    const int32_t first = std::max(0, block - kNeighbourBlocks) * perBlock;
    const int32_t end = std::min(hipparcos.ExtendedStarCount(), (block + kNeighbourBlocks + 1) * perBlock);
    for (int32_t sequence = first; sequence < end; ++sequence) {
        StarRecord candidate;
        const int32_t number = hipparcos.StarBySequence(sequence, candidate);
        if (number > 0 && SameStarArcsec(star, candidate) <= kSameStarArcsec) return number;
    }
    return 0;
}

}  // namespace vsp
