#pragma once
// The Tycho-2 step in pieces: the catalogue as CDS distributes it (I/259: tyc2.dat in twenty
// parts or one, the supplement suppl_1.dat, each plain or gzip'd) read into compact stars, and
// the stars packed into extended-catalog block files and the region index the Tycho lookup
// reads.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "databuild/DataFileWriter.h"

namespace vsp::databuild {

inline constexpr int32_t kTychoRegions = 9537;  // GSC regions 1 .. 9537; index record 0 stays empty
inline constexpr int32_t kTycho390kBlocks = 9363;
inline constexpr int32_t kTycho2500kBlocks = 31207;

struct TychoStar {
    int32_t number = 0;     // region x 100000 + number within the region
    int32_t raSeconds = 0;  // seconds of time, 0 .. 86399
    int32_t decArcsec = 0;  // signed
    int32_t vKey = 0;       // V in units of 0.00001 mag, the brightness order (exact from the catalogue's mmag)
    uint8_t magnitude = 0;  // V x 16, 0 .. 254
    int8_t colour = 0;      // B-V in tenths, 0 when unknown
};

// Outcome of parsing one catalogue line.
enum class TychoLine { Star, Skipped, Malformed };

// One line of tyc2.dat / suppl_1.dat. Skipped: a component other than 1. Malformed: `why` says
// which field.
TychoLine TychoMainLineParse(std::string_view line, TychoStar& out, std::string& why);
TychoLine TychoSupplementLineParse(std::string_view line, TychoStar& out, std::string& why);

// V = VT - 0.090 (BT - VT), B-V = 0.850 (BT - VT); VT (or BT) alone when the other is missing.
// Magnitudes in mmag. False when neither is given.
bool TychoPhotometry(bool hasBt, int32_t btMilli, bool hasVt, int32_t vtMilli, TychoStar& star);

struct TychoReadSummary {
    std::vector<std::string> files;  // read, in order
    int64_t lines = 0;
    int64_t otherComponents = 0;
    int64_t duplicates = 0;
    bool supplement = false;
};

// Every component-1 star of `dir`, each number once (the main catalogue's entry wins). False on failure.
bool TychoStarsRead(const std::string& dir, std::vector<TychoStar>& stars, TychoReadSummary& summary,
                   std::string& problem);

struct TychoBlockLayout {
    int entries = 42;
    int32_t blocks = 1;
};

// The fewest slots holding `stars` whose block count gives back its entries per block by the
// reader's rule (EntriesPerBlockFor; empty padding blocks where needed),
// `preferredEntries` on a tie; block counts stay below 32768.
TychoBlockLayout TychoBlockLayoutFor(int64_t stars, int preferredEntries);

// Declination extent of a region's stars in one or more block files, kept while packing.
struct TychoRegionBand {
    int32_t firstBlockKey = INT32_MAX;  // arcsec key of the earliest block holding one of its stars
    int32_t highestDec = INT32_MIN;     // arcsec
};

// Packs `stars` in `layout` in declination order (then right ascension, number) with the
// last block padded, and widens `bands` (indexed by region) by what this file holds.
void TychoBlocksPack(const std::vector<TychoStar>& stars, TychoBlockLayout layout, DataFileWriter& file,
                     std::vector<TychoRegionBand>& bands);

// The index record of one region: the declinations (degrees) the lookup searches from and to.
void TychoIndexRecord(const TychoRegionBand& band, uint8_t* record);

}  // namespace vsp::databuild
