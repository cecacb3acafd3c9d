#include "catalog/NumberedLists.h"

#include <algorithm>

#include "catalog/CatalogTable.h"

namespace vsp {
namespace {

const std::vector<uint16_t>* ListTable(const NumberedLists& lists, int32_t catalog) {
    switch (catalog) {
        case kCatalogMessier: return &lists.messier;
        case kCatalogCaldwell: return &lists.caldwell;
        case kCatalogSac: return &lists.sac;
        case kCatalogHerschel: return &lists.herschel;
        default: return nullptr;
    }
}

// The lists a record is named by, in the order they win.
constexpr int32_t kNamingLists[] = {kCatalogMessier, kCatalogCaldwell};

}  // namespace

int32_t ListLastNumber(int32_t catalog) {
    switch (catalog) {
        case kCatalogMessier: return kMessierCount;
        case kCatalogCaldwell: return kCaldwellCount;
        case kCatalogSac: return kSacCount;
        case kCatalogHerschel: return kHerschelCount;
        default: return 0;
    }
}

bool IsListCatalog(int32_t catalog) { return ListLastNumber(catalog) > 0; }

bool ObjectByListNumber(const NumberedLists& lists, int32_t catalog, int32_t number,
                        uint16_t& record) {
    const std::vector<uint16_t>* table = ListTable(lists, catalog);
    if (!table || number < 1 || number > ListLastNumber(catalog)) return false;
    if (size_t(number) > table->size()) return false;
    record = (*table)[size_t(number - 1)];
    return true;
}

int32_t ListNumberOfRecord(const NumberedLists& lists, int32_t catalog, uint16_t record) {
    const std::vector<uint16_t>* table = ListTable(lists, catalog);
    if (!table) return 0;
    const size_t last = std::min(table->size(), size_t(ListLastNumber(catalog)));
    for (size_t i = 0; i < last; ++i)
        if ((*table)[i] == record) return int32_t(i + 1);
    return 0;
}

ListNumberName ListNameOfRecord(const NumberedLists& lists, uint16_t record) {
    for (const int32_t list : kNamingLists) {
        if (const int32_t number = ListNumberOfRecord(lists, list, record); number > 0) return {list, number};
    }
    return {};
}

ListNameIndex::ListNameIndex(const NumberedLists& lists) {
    for (const int32_t list : kNamingLists) {
        const std::vector<uint16_t>& table = *ListTable(lists, list);
        const size_t last = std::min(table.size(), size_t(ListLastNumber(list)));
        for (size_t i = 0; i < last; ++i) rows_.push_back({table[i], int16_t(list), int16_t(i + 1)});
    }
    // Stable: of the rows of one record, the first pushed (the winning list, its lowest number)
    // stays first.
    std::ranges::stable_sort(rows_, {}, &Row::record);
}

ListNumberName ListNameIndex::Of(uint16_t record) const {
    const auto row = std::ranges::lower_bound(rows_, record, {}, &Row::record);
    if (row == rows_.end() || row->record != record) return {};
    return {row->catalog, row->number};
}

}  // namespace vsp
