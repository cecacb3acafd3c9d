#pragma once
// The 12-byte entry of the extended star catalogs; a record of such a file is a block of N
// entries (42 or 80) sorted by declination, the first entry carrying the block's sort key.
//
//   offset 0   i32  star number (Tycho: region x 100000 + number within the region)
//   offset 4   i8   right ascension hours
//   offset 5   i8   right ascension minutes
//   offset 6   i8   right ascension seconds
//   offset 7   i8   declination degrees
//   offset 8   i8   declination arcminutes
//   offset 9   i8   declination arcseconds
//   offset 10  u8   magnitude x 16
//   offset 11  i8   colour index in tenths

#include <cstddef>
#include <cstdint>

#include "catalog/StarRecord.h"

namespace vsp {

inline constexpr int32_t kStarEntrySize = 12;

struct StarEntry {
    int32_t number = 0;
    int8_t raHours = 0, raMinutes = 0, raSeconds = 0;
    int8_t decDegrees = 0, decMinutes = 0, decSeconds = 0;
    uint8_t magnitude = 0;
    int8_t colour = 0;
};

// False (entry untouched) when fewer than 12 bytes are available.
bool StarEntryDecode(const uint8_t* bytes, size_t size, StarEntry& out);

// The position bytes in fixed-point units, each part by an integer product so that the
// decoding is the same on every machine.
int32_t StarEntryRa(const StarEntry& entry);
int32_t StarEntryDec(const StarEntry& entry);

// Fills the first 16 bytes' worth of a StarRecord: the number's low 16 bits as id, the
// position, magnitude and colour widened to 16 bits. The other fields stay as they are.
void StarEntryToRecord(const StarEntry& entry, StarRecord& out);

// Right ascension in whole minutes (hours x 60 + minutes), the walk's integer window test.
inline int StarEntryRaMinutes(const StarEntry& entry) { return entry.raHours * 60 + entry.raMinutes; }

}  // namespace vsp
