#pragma once
// Designations: an object's identity (catalog index and number) written as text, and text
// read back into an identity. Written designations have no blank ("NGC7000", "M31", "Sh2101",
// "TYC4660-1234-1"); read ones may have a blank or a hyphen after the prefix and any case
// ("NGC 7000", "m31", "Sh2-101").

#include <cstdint>
#include <string>
#include <string_view>

#include "catalog/CatalogTable.h"
#include "catalog/NumberedLists.h"
#include "catalog/ObjectRecord.h"

namespace vsp {

// A Tycho star number is region x 100000 + number within the region.
inline constexpr int32_t kTychoRegionFactor = 100000;

// "%s%ld" with the catalog prefix; Tycho stars "TYC%d-%d-1". Empty for an index outside the
// table.
std::string CatalogDesignation(const CatalogTable& catalogs, int32_t catalog, int32_t number);

// The names an object record is shown under. A record that a Messier (else Caldwell) list
// entry points at is first "M%ld" ("C%ld") with the list number, and its catalog designation
// is the second name; any other record has its catalog designation and no second name.
struct ObjectNames {
    std::string first;
    std::string second;
};
ObjectNames ObjectDesignations(const CatalogTable& catalogs, const NumberedLists& lists,
                               uint16_t recordIndex, const ObjectRecord& record);
// The first of those names, for a record whose list name is known (ListNameIndex).
std::string RecordLabel(const CatalogTable& catalogs, const ListNumberName& listName, int32_t catalog, int32_t number);

// Region, separator, number, the trailing "-1" ignored: "4660-1234-1" -> 4660 x 100000 + 1234.
// The region may carry a sign. False when there is no region or nothing usable after it.
bool TychoTextToNumber(std::string_view text, int32_t& starNumber);

// Text to identity: a catalog prefix (any case; the longest that fits wins) followed, after an
// optional blank or hyphen, by the number (for Tycho: region-number[-1]). Rows without a
// prefix of their own (blank, or "None") are never matched. False when the text is not a designation.
bool DesignationParse(const CatalogTable& catalogs, std::string_view text, int32_t& catalog,
                      int32_t& number);

}  // namespace vsp
