#pragma once
// The numbered lists: Messier, Caldwell, the 110 best NGC objects (SAC) and the Herschel 400,
// each a table of object-record indexes where number n sits at entry n - 1. The tables
// belong to the object file they point into and are made together with it, so a table is a
// value the application state owns; an empty table (no object file built yet) refuses every
// number.

#include <cstdint>
#include <vector>

namespace vsp {

inline constexpr int32_t kMessierCount = 110;
inline constexpr int32_t kCaldwellCount = 109;
inline constexpr int32_t kSacCount = 110;
inline constexpr int32_t kHerschelCount = 400;

struct NumberedLists {
    std::vector<uint16_t> messier;
    std::vector<uint16_t> caldwell;
    std::vector<uint16_t> sac;
    std::vector<uint16_t> herschel;
};

// The highest number of a list catalog (Messier, Caldwell, SAC, Herschel); 0 for any other.
int32_t ListLastNumber(int32_t catalog);
bool IsListCatalog(int32_t catalog);

// Object-record index of list number `number`. False when the catalog is not a list or
// the number is below 1 or beyond the list (or its table).
bool ObjectByListNumber(const NumberedLists& lists, int32_t catalog, int32_t number,
                        uint16_t& record);

// The list number that points at object record `record`; 0 when none does.
int32_t ListNumberOfRecord(const NumberedLists& lists, int32_t catalog, uint16_t record);

// The list name a record goes by: its Messier number, else its Caldwell number (the lowest
// where a list holds the record twice). Catalog 0 when neither list holds it.
struct ListNumberName {
    int32_t catalog = 0;
    int32_t number = 0;
};
ListNumberName ListNameOfRecord(const NumberedLists& lists, uint16_t record);

// ListNameOfRecord for many records: both lists in one table ordered by record, made once, so
// that a look-up costs a binary search instead of a pass over both lists.
class ListNameIndex {
public:
    explicit ListNameIndex(const NumberedLists& lists);
    ListNumberName Of(uint16_t record) const;

private:
    struct Row {
        uint16_t record;
        int16_t catalog;
        int16_t number;
    };
    std::vector<Row> rows_;
};

}  // namespace vsp
