// Packing Tycho stars into 12-byte extended-catalog entries, blocks of 42 or 80, and the
// region index. The lookup by Tycho number reads the index band of the star's region, finds
// the blocks of both ends with the declination search and scans between them; that search
// compares truncated (d, m, s) with block keys and may stop one block past the one holding a
// declination. So the band starts below the key of the earliest block holding one of the
// region's stars and ends above its highest star, each by 1.5": whichever way the search
// truncates or lands, the scan then covers every block of the region.

#include <algorithm>
#include <cstdlib>

#include "catalog/Designation.h"
#include "catalog/StarEntry.h"
#include "databuild/TychoFiles.h"
#include "records/RecordFile.h"

namespace vsp::databuild {
namespace {

constexpr int32_t kMaxBlocks = 32767;       // the reader keeps the record count in 16 bits
constexpr double kBandMargin = 1.5;         // arcsec
constexpr uint8_t kPaddingMagnitude = 255;  // never drawn, number 0 never looked up

static_assert(TychoEntriesPerBlock(kTycho390kBlocks) == 42);
static_assert(TychoEntriesPerBlock(kTycho2500kBlocks) == 80);

void EntryPut(uint8_t* p, int32_t number, int32_t raSeconds, int32_t decArcsec, uint8_t magnitude,
              int8_t colour) {
    WriteI32(p, number);
    p[4] = uint8_t(raSeconds / 3600);
    p[5] = uint8_t(raSeconds / 60 % 60);
    p[6] = uint8_t(raSeconds % 60);
    // Every part carries the sign, so that -0 deg 30' stays negative.
    const int32_t arcsec = std::abs(decArcsec);
    const int sign = decArcsec < 0 ? -1 : 1;
    p[7] = uint8_t(int8_t(sign * (arcsec / 3600)));
    p[8] = uint8_t(int8_t(sign * (arcsec / 60 % 60)));
    p[9] = uint8_t(int8_t(sign * (arcsec % 60)));
    p[10] = magnitude;
    p[11] = uint8_t(colour);
}

bool DeclinationOrder(const TychoStar& a, const TychoStar& b) {
    if (a.decArcsec != b.decArcsec) return a.decArcsec < b.decArcsec;
    if (a.raSeconds != b.raSeconds) return a.raSeconds < b.raSeconds;
    return a.number < b.number;
}

}  // namespace

TychoBlockLayout TychoBlockLayoutFor(int64_t stars, int preferredEntries) {
    TychoBlockLayout best{preferredEntries, 0};
    int64_t bestSlots = INT64_MAX;
    for (const int entries : {preferredEntries, preferredEntries == 42 ? 80 : 42}) {
        int64_t blocks = std::max<int64_t>(1, (stars + entries - 1) / entries);
        while (blocks <= kMaxBlocks && TychoEntriesPerBlock(int32_t(blocks)) != entries) ++blocks;
        if (blocks > kMaxBlocks || blocks * entries >= bestSlots) continue;
        best = {entries, int32_t(blocks)};
        bestSlots = blocks * entries;
    }
    return best;
}

void TychoBlocksPack(std::vector<TychoStar>& stars, TychoBlockLayout layout, DataFileWriter& file,
                     std::vector<TychoRegionBand>& bands) {
    std::sort(stars.begin(), stars.end(), DeclinationOrder);
    const TychoStar last = stars.empty() ? TychoStar{} : stars.back();
    size_t next = 0;
    for (int32_t block = 0; block < layout.blocks; ++block) {
        uint8_t* record = file.Append();
        const int32_t key = next < stars.size() ? stars[next].decArcsec : last.decArcsec;
        for (int entry = 0; entry < layout.entries; ++entry, ++next) {
            uint8_t* p = record + entry * kStarEntrySize;
            if (next >= stars.size()) {
                EntryPut(p, 0, last.raSeconds, last.decArcsec, kPaddingMagnitude, 0);
                continue;
            }
            const TychoStar& star = stars[next];
            EntryPut(p, star.number, star.raSeconds, star.decArcsec, star.magnitude, star.colour);
            TychoRegionBand& band = bands[size_t(star.number / kTychoRegionFactor)];
            band.firstBlockKey = std::min(band.firstBlockKey, key);
            band.highestDec = std::max(band.highestDec, star.decArcsec);
        }
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
