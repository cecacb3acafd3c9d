#pragma once
// Where every merged object goes in the object file. Records 0 .. 1129 are the core, the
// 1k file: the IC part (0 .. 71), the NGC part (72 .. 1125), both by number, and a tail of
// list objects without an NGC/IC number. Then every catalog row in table order, each by
// number, one record per (row, number) — the core objects again, linking to their core
// record. The numbered lists point into the core, so one set of list tables serves both
// object files.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalog/CatalogTable.h"
#include "catalog/NumberedLists.h"
#include "catalog/ObjectRecord.h"
#include "catalog/ProgramDataFiles.h"
#include "databuild/DsoMerge.h"

namespace vsp::databuild {

inline constexpr int32_t kCoreRecordCount = 1130;

struct CatalogRange {
    uint16_t first = kCatalogNoFirstRecord;
    uint16_t end = 0;
};

struct ObjectFileLayout {
    std::vector<ObjectRecord> records;  // the 18k file
    std::vector<int32_t> recordObject;  // the object each record shows
    // Per object: the record that represents it (its core record when it has one, else its
    // first record in designation order); the link field of all its records.
    std::vector<int32_t> objectRecord;
    int32_t coreCount = 0;  // records 0 .. coreCount - 1 are the 1k file
    NumberedLists lists;
    std::array<CatalogRange, kCatalogCount> ranges{};
    std::vector<std::string> classTexts;  // kClassTextCount texts, "" where a part runs short
};

// The class texts: per third (galaxies 0-99, clusters 100-199, nebulae 200-296) the texts of
// the `listed` objects, then the most frequent others; `codes` receives each object's code
// (kNoSmallCode when its text did not make the table).
std::vector<std::string> ChooseClassTexts(const std::vector<DsoObject>& objects,
                                          const std::vector<bool>& listed, std::vector<uint16_t>& codes);

// False on failure (`problem`: the objects do not fit the file's layout). Choices worth
// knowing go to `notes`.
bool LayOutObjectFile(const DsoCatalog& catalog, ObjectFileLayout& layout,
                     std::vector<std::string>& notes, std::string& problem);

}  // namespace vsp::databuild
