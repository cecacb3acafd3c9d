#pragma once
// Reading built object files back the way the program does: the record layer, the catalog
// ranges and numbered lists from their tables, the object index and cross-reference searches.

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "catalog/CatalogFiles.h"
#include "catalog/CatalogTable.h"
#include "catalog/CrossReference.h"
#include "catalog/NumberedLists.h"
#include "catalog/ObjectIndex.h"
#include "catalog/ObjectRecord.h"
#include "catalog/ProgramDataTables.h"
#include "records/CatalogDb.h"

namespace vsp::test {

struct CrossRefAnswer {
    std::vector<std::pair<int32_t, int32_t>> others;  // (catalog, number)
    std::string name;
};

class ObjectFilesReadBack {
public:
    explicit ObjectFilesReadBack(const ProgramDir& dir)
        : dir_(dir), objects(dir, messages), index(dir, messages), crossRefs(dir, messages),
          catalogs(DefaultCatalogTable()) {}

    // Opens `objectFile` (18k or 1k) and the cross-references and loads the tables. 1 / 0.
    int Open(std::string_view objectFile = kObjectFile18k) {
        if (!objects.Open(kObjectFileTypeCode, kCatalogCreatorCode, 0, "data/", std::string(objectFile))) return 0;
        if (!crossRefs.Open(kCrossReferenceTypeCode, kCatalogCreatorCode, 0, "data/", std::string(kCrossReferenceFile)))
            return 0;
        return ProgramDataTablesLoad(dir_, lists, catalogs, classTexts);
    }

    int OpenIndex(std::string_view name) {
        index.Close();
        return index.Open(kObjectIndexTypeCode, kCatalogCreatorCode, 0, "data/", std::string(name));
    }

    ObjectRecord Record(int32_t at) {
        ObjectRecord record;
        record.catalog = -99;
        EXPECT_EQ(ObjectRead(objects, messages, at, record), 1) << "record " << at;
        return record;
    }

    // The record a designation names: a list number through its table, anything else by a
    // binary search over the catalog's range. -1 when not found.
    int32_t Find(int32_t catalog, int32_t number) {
        if (IsListCatalog(catalog)) {
            uint16_t record = 0;
            if (!ObjectByListNumber(lists, catalog, number, record) || record >= objects.RecordCount()) return -1;
            return record;
        }
        const CatalogEntry& entry = catalogs[size_t(catalog)];
        if (!CatalogHasRecords(entry)) return -1;
        int32_t low = entry.firstRecord, high = int32_t(entry.endRecord) - 1;
        while (low <= high) {
            const int32_t middle = (low + high) / 2;
            const ObjectRecord r = Record(middle);
            if (r.catalog != catalog) return -1;  // the range is wrong
            if (r.number == number) return middle;
            if (r.number < number) low = middle + 1;
            else high = middle - 1;
        }
        return -1;
    }

    CrossRefAnswer CrossRef(int32_t catalog, int32_t number) {
        int16_t catalogs3[kCrossReferenceOthers] = {};
        int32_t numbers3[kCrossReferenceOthers] = {};
        int found = 0;
        char name[64] = {};
        CrossRefAnswer answer;
        if (!CrossReferenceFind(crossRefs, messages, catalog, number, catalogs3, numbers3, 3, found, name,
                                sizeof name))
            return answer;
        for (int k = 0; k < found; ++k) answer.others.emplace_back(catalogs3[k], numbers3[k]);
        answer.name = name;
        return answer;
    }

    // Every entry of the open index after the sentinel record, in file order.
    std::vector<ObjectIndexEntry> IndexEntries() {
        std::vector<ObjectIndexEntry> entries;
        uint8_t record[kObjectIndexRecordSize];
        for (int32_t i = 1; i < index.RecordCount(); ++i) {
            EXPECT_EQ(index.Read(uint16_t(i), record, sizeof record), 1);
            for (int32_t k = 0; k < kObjectIndexEntriesPerRecord; ++k)
                entries.push_back(DecodeObjectIndexEntry(record + k * kObjectIndexEntrySize));
        }
        return entries;
    }

    ProgramDir dir_;
    RecordingInfoSink messages;
    CatalogDb objects;
    CatalogDb index;
    CatalogDb crossRefs;
    CatalogTable catalogs;
    NumberedLists lists;
    std::vector<std::string> classTexts;
};

}  // namespace vsp::test
