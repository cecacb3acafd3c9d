#pragma once
// The description file: one record per deep-sky object with its short description in the
// abbreviated style of the classic catalogs, sorted by catalog index and then by number.
// Record 0 is never searched (the builder puts a sentinel there).
//
//   offset 0  i32  catalog index (row of the catalog table)
//   offset 4  i32  number within the catalog
//   offset 8  49   description text, NUL-terminated when shorter than 49

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/InfoSink.h"
#include "records/CatalogDb.h"
#include "records/RecordFile.h"
#include "records/RecordLayout.h"

namespace vsp {

inline constexpr std::string_view kDescriptionFileName = "vespertar_obj_18k_desc.ppc";
inline constexpr uint32_t kDescriptionTypeCode = 0x706C3130;
inline constexpr uint32_t kDescriptionFileVersion = 1;
inline constexpr int32_t kDescriptionRecordSize = 57;
inline constexpr int32_t kDescriptionTextOffset = 8;
inline constexpr size_t kDescriptionTextLength = 49;
// The caller's buffer for a found text: at most 49 characters, the rest zeros.
inline constexpr size_t kDescriptionShortSize = 55;

inline constexpr std::string_view kDescriptionSearchError = "Error during Dreyer description search";

// Binary search over records 1 .. count - 1. `text` is zeroed first; on success it receives at
// most 49 characters of the record's text. A file that is not open answers false silently; a
// record that cannot be read answers false after the message kDescriptionSearchError.
bool DescriptionFind(CatalogDb& descriptions, InfoSink& messages, int32_t catalogIndex,
                     int32_t number, char (&text)[kDescriptionShortSize]);

// Whether an object of this catalog and type may have a description at all: planets (type
// 27), comets, constellations, stars, meteor showers and user objects never do.
bool DescriptionApplies(int32_t catalogIndex, int32_t typeCode);

// The description record for `records dump`.
RecordLayout DescriptionRecordLayout();
void RegisterDescriptionLayouts(RecordLayoutRegistry& registry);

}  // namespace vsp
