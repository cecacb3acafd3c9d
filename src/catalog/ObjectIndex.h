#pragma once
// The chart's object index: records of 15 entries (300 bytes) sorted by declination, so the
// chart reads only the bands it shows. Three files of growing size exist; program data names
// the one in use.
//
//   entry (20 bytes): 0 i32 catalog index, 4 i32 object-record index,
//                     8 i32 right ascension, 12 i32 declination (fixed-point angle),
//                     16 u16 object type code, 18 i16 magnitude key

#include <cstdint>
#include <string_view>

#include "platform/InfoSink.h"
#include "records/CatalogDb.h"
#include "records/RecordLayout.h"

namespace vsp {

inline constexpr int32_t kObjectIndexEntrySize = 20;
inline constexpr int32_t kObjectIndexEntriesPerRecord = 15;
inline constexpr int32_t kObjectIndexRecordSize = kObjectIndexEntrySize * kObjectIndexEntriesPerRecord;
inline constexpr uint32_t kObjectIndexTypeCode = 0x706C3930;
inline constexpr std::string_view kObjectIndex1k = "vespertar_obj_1k_idx.ppc";
inline constexpr std::string_view kObjectIndex2k = "vespertar_obj_2k_idx.ppc";
inline constexpr std::string_view kObjectIndex18k = "vespertar_obj_18k_idx.ppc";
// The sort key of an index record: the declination of its first entry.
inline constexpr int32_t kObjectIndexKeyOffset = 12;

struct ObjectIndexEntry {
    int32_t catalog = 0;
    int32_t record = 0;
    int32_t ra = 0;
    int32_t dec = 0;
    uint16_t type = 0;
    int16_t magnitudeKey = 0;
};

ObjectIndexEntry DecodeObjectIndexEntry(const uint8_t* bytes);
void EncodeObjectIndexEntry(const ObjectIndexEntry& entry, uint8_t* bytes);

// Binary search for `key` over records 1 .. count - 1 by their sort key; the answer is the
// last record looked at (the one whose key equals `key`, else a neighbour of where it would
// be). A file of one record answers 0 without reading; a file that is not open answers -1
// silently; a failed read shows "Can't find Object record number %d" and answers -1.
int32_t ObjectIndexSearch(CatalogDb& index, InfoSink& messages, int32_t key);

RecordLayout ObjectIndexLayout();

}  // namespace vsp
