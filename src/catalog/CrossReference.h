#pragma once
// The cross-reference file: up to four designations of one object and its common name,
// sorted by the first catalog index and then the first number. Record 0 is never searched.
//
//   0 i16 catalog of the primary designation    8 i32 its number
//   2 i16 second catalog (0 or less: none)     12 i32 second number
//   4 i16 third catalog                        16 i32 third number
//   6 i16 fourth catalog                       20 i32 fourth number
//  24 ... common name, NUL-terminated, to the end of the record

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/InfoSink.h"
#include "records/CatalogDb.h"
#include "records/RecordLayout.h"

namespace vsp {

inline constexpr std::string_view kCrossReferenceFile = "vespertar_obj_cross_ref.ppc";
inline constexpr uint32_t kCrossReferenceTypeCode = 0x706C3830;
inline constexpr int32_t kCrossReferenceNameOffset = 24;
// The record size the data builder writes (a name of up to 39 characters); the readers take
// whatever size the file's header gives.
inline constexpr int32_t kCrossReferenceRecordSize = 64;
inline constexpr int kCrossReferenceOthers = 3;  // designations behind the primary one
inline constexpr std::string_view kCrossReferenceSearchError = "Error during Cross Ref search";

// Looks up (catalog, number) among the primary designations. On a match the common name is
// copied into `name` (at most nameLength - 1 characters and a NUL; nothing when nameLength is
// 0), and the other designations that exist, up to `wanted` (1 to 3), go to `catalogs` and
// `numbers` in file order; `found` receives how many. True when a name or a designation was
// returned; false when not found, not open, or after kCrossReferenceSearchError.
bool CrossReferenceFind(CatalogDb& crossRefs, InfoSink& messages, int32_t catalog, int32_t number,
                        int16_t (&catalogs)[kCrossReferenceOthers],
                        int32_t (&numbers)[kCrossReferenceOthers], int wanted, int& found,
                        char* name, size_t nameLength);

// The primary designations that carry a common name, as CrossReferenceKey values in ascending
// order, from the file read at one go; empty when it is not open or cannot be read.
std::vector<int64_t> CrossReferenceNamedKeys(CatalogDb& crossRefs);
inline int64_t CrossReferenceKey(int32_t catalog, int32_t number) {
    return int64_t(int16_t(catalog)) * (int64_t(1) << 32) + number;
}

RecordLayout CrossReferenceLayout(int32_t recordSize);

}  // namespace vsp
