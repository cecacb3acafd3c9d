#pragma once
// Tables that belong to the object file they were built with (the numbered lists, the record
// ranges of every catalog, the class texts): written by the data builder beside the object
// file and loaded when the catalogs open. A missing table leaves the lookups it serves
// refusing, as for a number beyond a table.

#include <cstdint>
#include <string_view>

namespace vsp {

inline constexpr uint32_t kProgramDataVersion = 1;

// Numbered lists: one u16 object-record index per record, number n at record n - 1.
inline constexpr std::string_view kMessierFile = "vespertar_messier.ppc";
inline constexpr std::string_view kCaldwellFile = "vespertar_caldwell.ppc";
inline constexpr std::string_view kSacFile = "vespertar_sac110.ppc";
inline constexpr std::string_view kHerschelFile = "vespertar_h400.ppc";
inline constexpr uint32_t kMessierTypeCode = 0x706C3731;
inline constexpr uint32_t kCaldwellTypeCode = 0x706C3732;
inline constexpr uint32_t kSacTypeCode = 0x706C3733;
inline constexpr uint32_t kHerschelTypeCode = 0x706C3734;
inline constexpr int32_t kListRecordSize = 2;

// Record ranges of the 18k object file: one record per catalog row, u16 first, u16 end
// (50000 / 0 for a row without records of its own).
inline constexpr std::string_view kCatalogRangesFile = "vespertar_catalog_ranges.ppc";
inline constexpr uint32_t kCatalogRangesTypeCode = 0x706C3735;
inline constexpr int32_t kCatalogRangeRecordSize = 4;

// Class texts: 297 records of 10 bytes (up to 9 characters, NUL-padded). Codes 0-99 galaxy
// morphologies, 100-199 cluster classes, 200-296 nebula classes.
inline constexpr std::string_view kClassTextsFile = "vespertar_class_texts.ppc";
inline constexpr uint32_t kClassTextsTypeCode = 0x706C3736;
inline constexpr int32_t kClassTextCount = 297;
inline constexpr int32_t kClassTextRecordSize = 10;

// Lunar and Martian surface features: 48-byte records sorted by name: 0-31 name (NUL-padded),
// 32 f32 latitude (north), 36 f32 longitude (east, -180..180), 40 f32 diameter km, 44 two
// letters of the feature type ("AA" crater, "MO" mons, ...), 46 i16 0.
inline constexpr int32_t kFeatureRecordSize = 48;
inline constexpr int32_t kFeatureNameSize = 32;
inline constexpr uint16_t kFeatureFileVersion = 24;

}  // namespace vsp
