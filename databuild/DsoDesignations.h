#pragma once
// How the deep-sky sources write designations, and the rows of the catalog table they map
// to: stellarium's designation slots, OpenNGC's identifiers ("NGC0224", "IC0715NW"), the
// "PREFIX NUMBER" parts of OpenNGC long names, d3's Local Group ids ("Palomar5") and the
// keys that tie names.dat and d3's name and morphology tables to objects.

#include <cstdint>
#include <string>
#include <string_view>

#include "databuild/DsoSources.h"

namespace vsp::databuild {

// Row of the catalog table for a stellarium designation slot; -1 when the table has none.
int32_t StellariumSlotRow(int slot);

// The number of a designation written as text: digits only ("224"), or for Cederblad the
// leading digits ("19f" -> 19). False when there is no positive number.
bool DesignationNumber(int32_t catalog, std::string_view text, int32_t& number);

// "NGC0224" -> NGC 224 plain; "IC0715NW", "NGC0080 NED01" -> components (plain false).
// False for anything that is not an NGC or IC identifier ("M 40").
bool OpenNgcIdentifier(std::string_view identifier, int32_t& catalog, int32_t& number, bool& plain);

// "M 31" (OpenNGC's name column) -> 31; 0 when the text is no Messier designation.
int32_t MessierNumberOf(std::string_view name);

// One part of an OpenNGC long name that is a designation in a table row ("UGC 454",
// "Mel 22"). False for common names and catalogs outside the table (PGC, MCG, ...).
bool LongNamePartDesignation(std::string_view part, int32_t& catalog, int32_t& number);

// d3's Local Group ids: "Palomar5" -> Pal 5, "Terzan3" -> Ter 3, "UGCA86" -> UGCA 86.
bool LocalGroupDesignation(std::string_view id, int32_t& catalog, int32_t& number);

// The key names.dat and d3 share for a designation: upper-case prefix, one blank, upper-case
// id ("SH2 155", "NGC 224"). A stellarium object number (names.dat's blank prefix) is
// "#" followed by the number.
std::string NameKey(std::string_view prefix, std::string_view id);
// d3 writes "NGC 224" as one text: split at the first blank; empty for keys without one.
std::string NameKeyOfText(std::string_view text);
// The prefix stellarium's names.dat uses for a designation slot ("SH2", "VDBHA").
std::string_view StellariumSlotPrefix(int slot);

}  // namespace vsp::databuild
