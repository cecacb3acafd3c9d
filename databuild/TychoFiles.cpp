// The two Tycho catalogs (the brightest stars that fit 9,363 blocks of 42 and 31,207 blocks of
// 80: those counts are what the reader's block-size rule allows near the nominal 390K and
// 2.5M) and the region index that the lookup by Tycho number needs.

#include <algorithm>
#include <cstdio>

#include "catalog/ExtendedStarCatalogs.h"
#include "catalog/StarCatalog.h"
#include "databuild/DataBuild.h"
#include "databuild/InputFiles.h"
#include "databuild/StarEntryPacking.h"
#include "databuild/TychoFiles.h"

namespace vsp::databuild {
namespace {

constexpr int32_t kTychoIndexRecordSize = 8;

struct TychoCatalogFile {
    int row;         // of the extended catalog table
    int32_t blocks;  // at full size
    int entries;
};

constexpr TychoCatalogFile kTychoCatalogs[] = {{5, kTycho390kBlocks, 42}, {6, kTycho2500kBlocks, 80}};

bool Brighter(const TychoStar& a, const TychoStar& b) {
    return a.vKey != b.vKey ? a.vKey < b.vKey : a.number < b.number;
}

std::vector<TychoStar> Brightest(const std::vector<TychoStar>& stars, size_t count) {
    std::vector<TychoStar> chosen = stars;
    if (chosen.size() > count) {
        std::nth_element(chosen.begin(), chosen.begin() + std::ptrdiff_t(count), chosen.end(), Brighter);
        chosen.resize(count);
    }
    return chosen;
}

std::string Thousands(int64_t value) {
    const std::string digits = std::to_string(value);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string Source(const std::string& dir) { return "Tycho-2 (Hog et al. 2000, CDS I/259) " + dir; }

bool WriteCatalog(const TychoCatalogFile& catalog, const std::vector<TychoStar>& stars,
                 const BuildOptions& options, std::vector<TychoRegionBand>& bands, BuildReport& report) {
    const size_t capacity = size_t(catalog.blocks) * size_t(catalog.entries);
    std::vector<TychoStar> chosen = Brightest(stars, capacity);
    const TychoBlockLayout layout = TychoBlockLayoutFor(int64_t(chosen.size()), catalog.entries);
    const std::string name(ExtendedCatalogs()[size_t(catalog.row)].fileName);
    if (EntriesPerBlockFor(uint32_t(layout.blocks)) != layout.entries ||
        int64_t(layout.blocks) * layout.entries < int64_t(chosen.size())) {
        report.problem = name + ": no block layout holds " + std::to_string(chosen.size()) + " stars";
        return false;
    }
    if (chosen.size() < stars.size()) {
        const int32_t faintest = std::max_element(chosen.begin(), chosen.end(), Brighter)->vKey;
        char limit[32];
        std::snprintf(limit, sizeof limit, "%.2f", faintest / 100000.0);
        report.notes.push_back(name + ": the brightest " + Thousands(int64_t(chosen.size())) + " of " +
                               Thousands(int64_t(stars.size())) + " Tycho-2 stars (V up to " + limit + ")");
    }
    DataFileWriter file(name, kExtendedCatalogTypeCode, kStarFileVersion, layout.entries * kStarEntrySize);
    TychoBlocksPack(chosen, layout, file, bands);
    return file.Commit(options.dataDir, Source(options.tycho2Dir), report);
}

}  // namespace

bool BuildTychoFiles(const BuildOptions& options, BuildReport& report) {
    if (options.tycho2Dir.empty()) {
        report.notes.push_back(
            "vespertar_tycho_390k.ppc, vespertar_tycho_2500k.ppc and vespertar_tycho_idx.ppc not built: no "
            "Tycho-2 given (--tycho2 DIR)");
        return true;
    }
    report.Progress("Tycho-2 stars from " + options.tycho2Dir);
    std::vector<TychoStar> stars;
    TychoReadSummary summary;
    std::string problem;
    if (!TychoStarsRead(options.tycho2Dir, stars, summary, problem)) {
        report.problem = problem;
        return false;
    }
    if (stars.empty()) {
        report.problem = InputProblem(options.tycho2Dir, "holds no Tycho-2 star");
        return false;
    }
    if (!summary.supplement)
        report.notes.push_back(
            "Tycho catalogs without suppl_1.dat: the bright stars Tycho-2 keeps there are missing");
    if (summary.duplicates > 0)
        report.notes.push_back("Tycho-2: " + Thousands(summary.duplicates) + " repeated numbers read once");

    std::vector<TychoRegionBand> bands(size_t(kTychoRegions) + 1);
    for (const TychoCatalogFile& catalog : kTychoCatalogs)
        if (!WriteCatalog(catalog, stars, options, bands, report)) return false;

    DataFileWriter index(std::string(kTychoIndexFileName), kTychoIndexTypeCode, kStarFileVersion,
                         kTychoIndexRecordSize);
    for (const TychoRegionBand& band : bands) TychoIndexRecord(band, index.Append());
    return index.Commit(options.dataDir, Source(options.tycho2Dir), report);
}

}  // namespace vsp::databuild
