#pragma once
// Observing-list entries made from what the catalogs hold: deep-sky objects (directly or
// through a numbered list), stars of the HR, Hipparcos and Tycho catalogs, and the Sun, the Moon
// and the planets. The list commands, the memo import and the planner fill entries alike.

#include <cstdint>
#include <string>

#include "catalog/CatalogSession.h"
#include "catalog/ListEntry.h"
#include "catalog/ObjectLookup.h"
#include "catalog/StarLookup.h"
#include "ephemeris/BodyPosition.h"
#include "platform/InfoSink.h"

namespace vsp {

// The entry kind of a numbered list's catalog (Messier 2, Caldwell 3, Herschel 7, SAC 9);
// kEntryCatalogObject for any other catalog.
int16_t ListEntryKindOfCatalog(int32_t catalog);

// Object record `found` as an entry of `kind`; for the numbered lists `listNumber` is the
// number within the list (1-based) and Messier and Caldwell entries are named "M%d", "C%d".
// Other entries are named by their designation. Sizes are cut to whole arcminutes (a zero
// second size takes the first), the magnitude rounded to tenths.
ListEntry ObjectListEntry(const CatalogTable& catalogs, const FoundObject& found, int16_t kind,
                          int32_t listNumber);
// A star as a bright-star entry known by (catalog, number), named by its proper name when it
// has one.
ListEntry StarListEntry(const FoundStar& star, int32_t catalog, int32_t number);
// Body `code` (0 Sun .. 9 Pluto, the planet list's numbers) at the place `position` gives,
// its constellation taken for the equinox `equinoxJd`.
ListEntry BodyListEntry(int code, const BodyPosition& position, double equinoxJd);

// The short code of a type ("GALXY") without the table's padding; empty outside the table.
std::string ObjectTypeShortCode(int32_t type);
// The designation an entry is known by ("M31", "NGC7000", "HR7001", "C/2023 A3"); entries of
// catalogs without a prefix of their own (the planets) by their name.
std::string ListEntryDesignationText(const CatalogTable& catalogs, const ListEntry& entry);

enum class ListTargetSearch { Found, NotFound, NoCatalog };

// The entry for (catalog, number): numbered lists and object catalogs from the object file,
// HR, HIP and TYC from the star files. `problem` says why when it is not found (NoCatalog: a
// box already said which file is missing).
ListTargetSearch FindListTarget(CatalogSession& sky, InfoSink& messages, int32_t catalog, int32_t number,
                                ListEntry& out, std::string& problem);

}  // namespace vsp
