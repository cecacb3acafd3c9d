#pragma once
// Loading the tables the data builder writes beside the object file: the numbered lists, the
// record ranges of the 18k object file and the class texts. Each table stands alone: a
// missing or damaged file leaves only the lookups it serves refusing (lists), on their
// built-in values (ranges) or without text (classes).
//
// Each load answers whether its table was read whole.

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/CatalogTable.h"
#include "catalog/NumberedLists.h"
#include "platform/ProgramDir.h"

namespace vsp {

// The Messier, Caldwell, SAC and Herschel tables from data/. A table that cannot be read is
// left empty. True when all four were read.
bool NumberedListsLoad(const ProgramDir& dir, NumberedLists& lists);

// The first/end record of every catalog row in the 18k object file; prefixes and long names
// stay. When the file is missing or damaged `catalogs` keeps the ranges it had (the built-in
// table). The 1k object file still needs UseOneKObjectRanges afterwards.
bool CatalogRangesLoad(const ProgramDir& dir, CatalogTable& catalogs);

// The kClassTextCount class texts in the device code page; empty when not read.
bool ClassTextsLoad(const ProgramDir& dir, std::vector<std::string>& texts);

// All of the above; true when every table was read.
bool ProgramDataTablesLoad(const ProgramDir& dir, NumberedLists& lists, CatalogTable& catalogs,
                           std::vector<std::string>& classTexts);

// The text of a class code with its leading blank (" E0"); a code without text (above 296,
// or no table loaded) gives the blank alone.
std::string ObjectClassText(const std::vector<std::string>& texts, uint32_t code);

}  // namespace vsp
