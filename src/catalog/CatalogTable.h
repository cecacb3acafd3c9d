#pragma once
// The catalog table: a catalog index names a designation prefix ("NGC", "Mel"), the long name
// the catalog popups show, and the range of the catalog's records in the object file. The
// ranges belong to the object file that is open, so a table is a value the application state
// owns, made from the defaults here and adjusted when the object file is opened.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vsp {

inline constexpr int kCatalogCount = 68;
inline constexpr uint16_t kCatalogNoFirstRecord = 50000;

// 38 bytes, as the table is laid out in program data.
struct CatalogEntry {
    char prefix[13];    // NUL-padded
    char longName[21];  // NUL-padded
    uint16_t firstRecord;  // kCatalogNoFirstRecord: no records of its own
    uint16_t endRecord;    // one past the last; 0 when there is none
};
static_assert(sizeof(CatalogEntry) == 38);
static_assert(offsetof(CatalogEntry, longName) == 13);
static_assert(offsetof(CatalogEntry, firstRecord) == 34);
static_assert(offsetof(CatalogEntry, endRecord) == 36);

using CatalogTable = std::array<CatalogEntry, kCatalogCount>;

// Catalog indexes that other code names.
enum CatalogIndex : int {
    kCatalogNone = 0,
    kCatalogAbell = 1,
    kCatalogBarnard = 2,
    kCatalogCaldwell = 9,
    kCatalogCederblad = 10,
    kCatalogCollinder = 11,
    kCatalogComet = 12,
    kCatalogConstellation = 13,
    kCatalogHerschel = 25,
    kCatalogHip = 26,
    kCatalogHr = 28,
    kCatalogIc = 29,
    kCatalogLynds = 34,
    kCatalogMelotte = 39,
    kCatalogMessier = 40,
    kCatalogMeteor = 41,
    kCatalogNgc = 42,
    kCatalogPalomar = 43,
    kCatalogPlanet = 45,
    kCatalogRcw = 46,
    kCatalogRuprecht = 48,
    kCatalogSac = 49,
    kCatalogSao = 51,
    kCatalogSharpless = 52,
    kCatalogBrightStars = 54,
    kCatalogStock = 56,
    kCatalogTerzan = 57,
    kCatalogTrumpler = 59,
    kCatalogTycho = 60,
    kCatalogUgc = 61,
    kCatalogUgca = 62,
    kCatalogUser = 63,
    kCatalogVdb = 64,
    kCatalogVdbHa = 65,
};

// The table with the record ranges of the 18k object file.
CatalogTable DefaultCatalogTable();
// The 1k object file holds only IC and NGC objects: every other range is emptied.
void UseOneKObjectRanges(CatalogTable& table);

std::string_view CatalogPrefix(const CatalogEntry& entry);
std::string_view CatalogLongName(const CatalogEntry& entry);
bool CatalogHasRecords(const CatalogEntry& entry);

}  // namespace vsp
