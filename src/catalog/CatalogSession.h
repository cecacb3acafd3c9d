#pragma once
// Everything a run reads from data/ about the sky, opened together: the catalog files, the
// catalog table with the ranges of the object file that was opened, the numbered lists and
// class texts built with it, and the star catalog with its extended catalog. The default stars
// and the constellation lines wait for their first user (chart, alignment, object information,
// quick selection). The interactive program and the commands open the sky the same way.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/CatalogFiles.h"
#include "catalog/CatalogTable.h"
#include "catalog/NumberedLists.h"
#include "catalog/StarCatalog.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

struct CatalogSessionOptions {
    int extendedCatalog = 0;  // row of the extended star catalog table, -1 none
    std::string_view objectIndexName;  // chart index; empty: the one that fits the object file
};

struct CatalogSession {
    CatalogSession(const ProgramDir& dir, InfoSink& messages)
        : dir(dir), files(dir, messages), catalogs(DefaultCatalogTable()), stars(dir, messages) {}

    ProgramDir dir;
    CatalogFiles files;
    CatalogTable catalogs;
    NumberedLists lists;
    std::vector<std::string> classTexts;
    StarCatalog stars;
    int missingCard = -1;  // the extended catalog whose file was found missing (told once)
};

// Opens the catalog files in their order, then the tables that belong to the object file and
// the extended star catalog. False when the star or object database or the Moon file is
// missing (what could be opened stays open).
bool CatalogSessionOpen(CatalogSession& session, InfoSink& messages, const CatalogSessionOptions& options);

// For the users of the default stars: loads them on the first call of the run (`progress` gets
// the records read, every 150) and the constellation lines of `lineSet` (0 Classic, 1 Rey
// Lines) when that set is not the one loaded. True when the default stars are in memory.
bool CatalogSessionNeedStars(CatalogSession& session, int lineSet,
                            const std::function<void(int)>& progress = {});
void CatalogSessionClose(CatalogSession& session);

// Opens row `index` of the extended catalog table unless it is open already. A file that is
// missing (or not a catalog) is told once, then the chart goes on with the default stars; the
// same row asked again stays quiet until another one has opened. False when it is not open.
bool OpenStarCard(CatalogSession& session, InfoSink& messages, int index);

}  // namespace vsp
