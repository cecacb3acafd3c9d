#pragma once
// The deep-sky catalogs as the program opens them, and the search for an object by catalog and
// number: the numbered lists for Messier, Caldwell, SAC and Herschel, the catalog's record
// range of the object file for every other catalog.

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/CatalogSession.h"
#include "catalog/CatalogTable.h"
#include "catalog/NumberedLists.h"
#include "catalog/ObjectRecord.h"
#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

class ObjectCatalogs {
public:
    ObjectCatalogs(const ProgramDir& dir, InfoSink& messages);
    ~ObjectCatalogs();
    ObjectCatalogs(const ObjectCatalogs&) = delete;
    ObjectCatalogs& operator=(const ObjectCatalogs&) = delete;

    // Opens the catalogs as the program does (its messages go to the sink), without an
    // extended star catalog. False when the star or object database or the Moon file is
    // missing.
    bool Open();

    CatalogSession& Session() { return session_; }
    CatalogFiles& Files() { return session_.files; }
    const CatalogTable& Table() const { return session_.catalogs; }
    InfoSink& Messages() { return messages_; }

private:
    InfoSink& messages_;
    CatalogSession session_;
};

struct FoundObject {
    uint16_t index = 0;  // record index in the object file
    ObjectRecord record;
};

enum class ObjectSearch {
    Found,
    NotFound,  // `problem` tells why
};

// The object (catalog, number) names in the sky's object file. A record that points at its
// primary twin (the core record of an object that also sits in its catalog's sorted part) is
// replaced by that twin, so the lists and the names see the record they point at.
ObjectSearch FindObject(CatalogSession& sky, InfoSink& messages, int32_t catalog, int32_t number,
                        FoundObject& out, std::string& problem);

}  // namespace vsp
