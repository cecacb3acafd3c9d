#pragma once
// Observing lists exchanged with other programs, besides the program's own memos:
//
// - SkySafari's observing lists (".skylist"): a first line "SkySafariObservingListVersion=3.0",
//   then per object a block from "SkyObject=BeginObject" to "EndObject=SkyObject" whose tab-
//   indented lines name it: "ObjectID=K,-1,-1" (K the object class: 2 a star, 4 a deep-sky
//   object, 1 the Sun, Moon, a planet, comet or minor planet; -1,-1 leaves the look-up to the
//   names), "CommonName=...", one "CatalogNumber=..." per designation ("M 31", "HR 7001",
//   with the blank SkySafari writes) and "DefaultIndex=N". The format carries no coordinates:
//   an object is found again by its names.
// - A CSV text that spreadsheets and planetariums read: a header line "Name,Designation,RA,Dec,
//   Type,Magnitude", then one line per entry, RA "hh:mm:ss.ss" and Dec "+dd:mm:ss.s" (J2000),
//   the type's full name, the magnitude to a tenth. Fields are quoted as spreadsheets quote
//   them. Reading takes any CSV whose header names a name or designation column (and
//   optionally RA, Dec, type, magnitude columns, in any order, with ',', ';' or tab).
//
// Texts here are in the device code page; files are UTF-8 and are converted at the edges.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/CatalogTable.h"
#include "catalog/ObservingList.h"

namespace vsp {

inline constexpr std::string_view kSkylistFirstLine = "SkySafariObservingListVersion=3.0";

enum class ListFileFormat { Memo, Skylist, Csv };
// A skylist by its first line, a CSV by a header that names a name or designation column,
// else a memo.
ListFileFormat DetectListFormat(std::string_view text);

// One object as another program's list names it.
struct ExchangedEntry {
    std::string name;                       // common name; may be empty
    std::vector<std::string> designations;  // as the file writes them ("M 31")
    std::optional<double> ra;               // hours, J2000
    std::optional<double> dec;              // degrees, J2000
    int32_t type = 0;                       // row of the object type table, 0 unknown
    std::optional<double> magnitude;
};

// The entry as the files describe it (its designation text and name, place, type, magnitude).
ExchangedEntry ExchangedOf(const CatalogTable& catalogs, const ListEntry& entry);

std::string SkylistText(const std::vector<ExchangedEntry>& entries);  // UTF-8
std::string ListCsvText(const std::vector<ExchangedEntry>& entries);  // UTF-8

// The objects a file lists, in file order. False with `problem` when the text is not of
// that format (no object block, no usable header) or a CSV line's RA or Dec cannot be read
// (the line number in `problem`).
bool ParseSkylist(std::string_view text, std::vector<ExchangedEntry>& entries, std::string& problem);
bool ParseListCsv(std::string_view text, std::vector<ExchangedEntry>& entries, std::string& problem);

}  // namespace vsp
