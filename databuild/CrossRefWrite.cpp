#include <algorithm>
#include <map>
#include <tuple>

#include "catalog/CatalogTable.h"
#include "catalog/CrossReference.h"
#include "databuild/DataFileWriter.h"
#include "databuild/ObjectFilesWrite.h"
#include "records/RecordFile.h"

namespace vsp::databuild {

namespace {

constexpr uint32_t kCrossReferenceVersion = 1;

using Key = std::pair<int32_t, int32_t>;  // (catalog row, number)

struct Other {
    int rank;
    int notPrimary;  // the primary object's designations first
    int32_t catalog;
    int32_t number;
    bool operator<(const Other& o) const {
        return std::tie(rank, notPrimary, catalog, number) < std::tie(o.rank, o.notPrimary, o.catalog, o.number);
    }
};

class CrossReferences {
public:
    CrossReferences(const DsoCatalog& catalog, const ObjectFileLayout& layout)
        : catalog_(catalog), layout_(layout) {}

    // Every table designation of every object in the file, with the objects that carry it.
    std::map<Key, std::vector<int32_t>> Holders() const {
        std::map<Key, std::vector<int32_t>> holders;
        for (size_t i = 0; i < catalog_.objects.size(); ++i) {
            if (layout_.objectRecord[i] < 0) continue;
            for (const TableDesignation& d : catalog_.objects[i].designations)
                holders[Key{d.catalog, d.number}].push_back(int32_t(i));
        }
        return holders;
    }

    // The object a designation means: the one holding its record, else the list's choice,
    // else the brightest (then first).
    int32_t Primary(const Key& key, const std::vector<int32_t>& holders) const {
        for (int32_t object : holders)
            for (const TableDesignation& d : catalog_.objects[size_t(object)].designations)
                if (d.record && Key{d.catalog, d.number} == key) return object;
        const std::vector<int32_t>* list = key.first == kCatalogMessier    ? &catalog_.messier
                                           : key.first == kCatalogCaldwell ? &catalog_.caldwell
                                                                           : nullptr;
        if (list && key.second >= 1 && size_t(key.second) <= list->size()) {
            const int32_t chosen = (*list)[size_t(key.second - 1)];
            if (std::find(holders.begin(), holders.end(), chosen) != holders.end()) return chosen;
        }
        int32_t best = holders.front();
        for (int32_t object : holders)
            if (catalog_.objects[size_t(object)].magnitude < catalog_.objects[size_t(best)].magnitude) best = object;
        return best;
    }

    std::vector<Other> Others(const Key& key, const std::vector<int32_t>& holders, int32_t primary) const {
        std::vector<Other> others;
        for (int32_t object : holders)
            for (const TableDesignation& d : catalog_.objects[size_t(object)].designations) {
                if (Key{d.catalog, d.number} == key) continue;
                others.push_back({DesignationRank(d.catalog), object == primary ? 0 : 1, d.catalog, d.number});
            }
        std::sort(others.begin(), others.end());
        std::vector<Other> unique;
        for (const Other& o : others) {
            const bool seen = std::any_of(unique.begin(), unique.end(), [&](const Other& u) {
                return u.catalog == o.catalog && u.number == o.number;
            });
            if (!seen) unique.push_back(o);
        }
        if (unique.size() > size_t(kCrossReferenceOthers)) unique.resize(size_t(kCrossReferenceOthers));
        return unique;
    }

    std::string Name(const std::vector<int32_t>& holders, int32_t primary) const {
        if (!catalog_.objects[size_t(primary)].commonName.empty()) return catalog_.objects[size_t(primary)].commonName;
        for (int32_t object : holders)
            if (!catalog_.objects[size_t(object)].commonName.empty()) return catalog_.objects[size_t(object)].commonName;
        return {};
    }

private:
    const DsoCatalog& catalog_;
    const ObjectFileLayout& layout_;
};

}  // namespace

bool WriteCrossReferenceFile(const DsoCatalog& catalog, const ObjectFileLayout& layout,
                            const std::string& dataDir, const DsoProvenance& provenance,
                            BuildReport& report) {
    DataFileWriter file(std::string(kCrossReferenceFile), kCrossReferenceTypeCode, kCrossReferenceVersion,
                        kCrossReferenceRecordSize);
    file.Append();  // record 0, never searched
    const CrossReferences refs(catalog, layout);
    for (const auto& [key, holders] : refs.Holders()) {
        const int32_t primary = refs.Primary(key, holders);
        const std::vector<Other> others = refs.Others(key, holders, primary);
        const std::string name = refs.Name(holders, primary);
        if (others.empty() && name.empty()) continue;
        uint8_t* record = file.Append();
        WriteI16(record, int16_t(key.first));
        WriteI32(record + 8, key.second);
        for (size_t k = 0; k < others.size(); ++k) {
            WriteI16(record + 2 + 2 * k, int16_t(others[k].catalog));
            WriteI32(record + 12 + 4 * k, others[k].number);
        }
        PutText(record + kCrossReferenceNameOffset, kCrossReferenceNameSize, name);
    }
    return file.Commit(dataDir, "designations of the " + std::string(kObjectFile18k) + " objects; names: " +
                                    provenance.names,
                       report);
}

}  // namespace vsp::databuild
