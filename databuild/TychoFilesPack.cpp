// Packing Tycho stars into 12-byte extended-catalog entries, blocks of 42 or 80, and the
// region index. The lookup by Tycho number reads the index band of the star's region, finds
// the blocks of both ends with the declination search and scans between them; that search
// compares truncated (d, m, s) with block keys and may stop one block past the one holding a
// declination. So the band starts below the key of the earliest block holding one of the
// region's stars and ends above its highest star, each by 1.5": whichever way the search
// truncates or lands, the scan then covers every block of the region.

#include <algorithm>

#include "catalog/Designation.h"
#include "catalog/StarEntry.h"
#include "databuild/StarCatalogWrite.h"
#include "databuild/StarEntryPacking.h"
#include "databuild/TychoFiles.h"
#include "records/RecordFile.h"

namespace vsp::databuild {
namespace {

constexpr double kBandMargin = 1.5;  // arcsec

static_assert(EntriesPerBlockFor(uint32_t(kTycho390kBlocks)) == 42);
static_assert(EntriesPerBlockFor(uint32_t(kTycho2500kBlocks)) == 80);

}  // namespace

TychoBlockLayout TychoBlockLayoutFor(int64_t stars, int preferredEntries) {
    TychoBlockLayout best{preferredEntries, 0};
    int64_t bestSlots = INT64_MAX;
    for (const int entries : {preferredEntries, preferredEntries == 42 ? 80 : 42}) {
        int64_t blocks = std::max<int64_t>(1, (stars + entries - 1) / entries);
        while (blocks <= kMostBlocks && EntriesPerBlockFor(uint32_t(blocks)) != entries) ++blocks;
        if (blocks > kMostBlocks || blocks * entries >= bestSlots) continue;
        best = {entries, int32_t(blocks)};
        bestSlots = blocks * entries;
    }
    return best;
}

void TychoBlocksPack(const std::vector<TychoStar>& stars, TychoBlockLayout layout, DataFileWriter& file,
                     std::vector<TychoRegionBand>& bands) {
    // Tycho positions are whole seconds and arcseconds already: the entries give them back
    // exactly, so their order is the stars' own.
    std::vector<StarEntry> entries;
    entries.reserve(stars.size());
    for (const TychoStar& s : stars)
        entries.push_back(PackStarEntry(s.number, s.raSeconds, s.decArcsec, s.magnitude, s.colour));
    const size_t n = size_t(layout.entries);
    SortAndPad(entries, size_t(layout.blocks) * n);
    AppendStarBlocks(entries, layout.entries, file);
    for (size_t i = 0; i < std::min(stars.size(), entries.size()); ++i) {
        const int32_t blockKey = StarEntryDecArcsec(entries[i - i % n]);
        TychoRegionBand& band = bands[size_t(entries[i].number / kTychoRegionFactor)];
        band.firstBlockKey = std::min(band.firstBlockKey, blockKey);
        band.highestDec = std::max(band.highestDec, StarEntryDecArcsec(entries[i]));
    }
}

void TychoIndexRecord(const TychoRegionBand& band, uint8_t* record) {
    if (band.highestDec == INT32_MIN) {  // a region without stars: an empty band
        WriteF32(record, 0.0f);
        WriteF32(record + 4, 0.0f);
        return;
    }
    const double lowest = std::max(-90.0, (band.firstBlockKey - kBandMargin) / 3600.0);
    const double highest = std::min(90.0, (band.highestDec + kBandMargin) / 3600.0);
    WriteF32(record, float(lowest));
    WriteF32(record + 4, float(highest));
}

}  // namespace vsp::databuild
