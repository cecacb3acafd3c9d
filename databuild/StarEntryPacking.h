#pragma once
// Packing stars into the 12-byte entries of the extended catalogs and cutting them into
// blocks: one block of N entries is one record, sorted by declination, the first entry of each
// block being the key the declination search compares.

#include <cstdint>
#include <vector>

#include "catalog/StarEntry.h"

namespace vsp::databuild {

// Never drawn (above every limit byte a walk uses) and numbered 0, which no lookup asks for.
inline constexpr uint8_t kPaddingMagnitude = 255;
inline constexpr uint8_t kBrightestMagnitudeByte = 0;
inline constexpr uint8_t kFaintestMagnitudeByte = 254;

// Right ascension to whole seconds of time, declination to whole arcseconds (each part with
// the sign of the whole), magnitude x 16 rounded and kept to 0 .. 254, colour to tenths.
StarEntry PackStarEntry(int32_t number, double raHours, double decDeg, double magnitude, double colour,
                        bool hasColour);
void WriteStarEntry(uint8_t* bytes, const StarEntry& entry);
// A padding entry at the place of `last`, so that the block keys stay in order.
StarEntry PaddingEntry(const StarEntry& last);

// Declination, then right ascension, then number: the order of entries in a catalog.
void SortByDeclination(std::vector<StarEntry>& entries);

// The entries per block a reader derives from the block count alone: 80 when the count x 42,
// kept to 16 bits, exceeds 25000, else 42.
constexpr int EntriesPerBlockForBlocks(int32_t blocks) {
    return ((uint32_t(blocks) * 42u) & 0xFFFFu) > 25000u ? 80 : 42;
}

// Blocks of n entries for `stars` entries and at least `minimumSlots` slots.
int32_t BlocksFor(int32_t stars, int n, int32_t minimumSlots);

// The magnitude as the 16-bit field of a default star: x 16 rounded, negative ones as 0.
uint16_t MagnitudeSixteenths(double magnitude);
// B-V in tenths, rounded and kept to a signed byte's range.
int8_t ColourTenths(double colour);

}  // namespace vsp::databuild
