#pragma once
// Packing stars into the 12-byte entries of the extended catalogs and cutting them into
// blocks: one block of N entries is one record, sorted by declination, the first entry of each
// block being the key the declination search compares.

#include <cstdint>
#include <vector>

#include "catalog/StarCatalog.h"
#include "catalog/StarEntry.h"

namespace vsp::databuild {

// The version every star file of the build carries.
inline constexpr uint32_t kStarFileVersion = 1;
// Block numbers are signed 16-bit in the number indexes and the record count 16-bit in the
// reader.
inline constexpr int32_t kMostBlocks = 32767;

// Never drawn (above every limit byte a walk uses) and numbered 0, which no lookup asks for.
inline constexpr uint8_t kPaddingMagnitude = 255;
inline constexpr uint8_t kBrightestMagnitudeByte = 0;
inline constexpr uint8_t kFaintestMagnitudeByte = 254;

// Right ascension to whole seconds of time, declination to whole arcseconds (each part with
// the sign of the whole), magnitude x 16 rounded and kept to 0 .. 254, colour to tenths.
StarEntry PackStarEntry(int32_t number, double raHours, double decDeg, double magnitude, double colour,
                        bool hasColour);
// The same from a position already in whole seconds of time (0 .. 86399) and whole arcseconds.
StarEntry PackStarEntry(int32_t number, int32_t raSeconds, int32_t decArcsec, uint8_t magnitude,
                        int8_t colour);
void WriteStarEntry(uint8_t* bytes, const StarEntry& entry);
// Signed arcseconds, the block key the declination search compares.
int32_t StarEntryDecArcsec(const StarEntry& entry);

// Sorts by declination, then right ascension, then number (the order of entries in a
// catalog) and fills the slots after the last entry, up to `slots`, with padding at its place
// so that the block keys stay in order.
void SortAndPad(std::vector<StarEntry>& entries, size_t slots);

// Blocks of n entries for `stars` entries and at least `minimumSlots` slots.
int32_t BlocksFor(int32_t stars, int n, int32_t minimumSlots);

// The magnitude as the 16-bit field of a default star: x 16 rounded, negative ones as 0.
uint16_t MagnitudeSixteenths(double magnitude);
// B-V in tenths, rounded and kept to a signed byte's range.
int8_t ColourTenths(double colour);

}  // namespace vsp::databuild
