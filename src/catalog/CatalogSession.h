#pragma once
// Everything a run reads from data/ about the sky, opened together: the catalog files, the
// catalog table with the ranges of the object file that was opened, the numbered lists and
// class texts built with it, and the star catalog with its default stars, constellation lines
// and extended catalog. The interactive program and the commands open the sky the same way.

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
    int lineSet = 0;          // constellation lines: 0 Classic, 1 Rey Lines
    int extendedCatalog = 0;  // row of the extended star catalog table, -1 none
    std::string_view objectIndexName;  // chart index; empty: the one that fits the object file
    std::function<void(int)> starProgress;  // default stars read so far, every 150
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
};

// Opens the catalog files in their order, then the tables that belong to the object file and
// the stars. -1 when the star or object database or the Moon file is missing (what could be
// opened stays open), else 0.
int CatalogSessionOpen(CatalogSession& session, InfoSink& messages, const CatalogSessionOptions& options);
void CatalogSessionClose(CatalogSession& session);

}  // namespace vsp
