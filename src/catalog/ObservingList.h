#pragma once
// The current observing list: the targets the chart, Goto, the planner, the log and the list
// screens share, with the name and the observing date and time it was made for. The list has
// a capacity ("Max Selected items") and holds each target once.

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/ListEntry.h"
#include "ephemeris/Time.h"

namespace vsp {

inline constexpr int32_t kListNameSize = 40;  // with its NUL
inline constexpr std::string_view kLastListName = "last_list";

// The rows of "Max Selected items": 25, 50, 100, 150, ... 500.
int32_t ListCapacityOfRow(int32_t row);

enum class ListAddResult { Added, Duplicate, Full };

class ObservingList {
public:
    explicit ObservingList(int32_t capacity = 100) : capacity_(capacity) {}

    std::string name;  // at most 39 bytes are kept
    CalendarDateTime time{0, 0, 0, 0, 0, 0};  // to the minute (the file keeps no seconds); year 0: none
    int32_t selected = -1;  // the entry chosen on a list screen, -1 none

    const std::vector<ListEntry>& Entries() const { return entries_; }
    int32_t Count() const { return int32_t(entries_.size()); }
    bool Empty() const { return entries_.empty(); }
    bool Full() const { return Count() >= capacity_; }
    int32_t Capacity() const { return capacity_; }
    // A smaller capacity drops the entries beyond it.
    void SetCapacity(int32_t capacity);

    // Refuses an entry whose target is already listed (SameListTarget), or a full list.
    ListAddResult Add(const ListEntry& entry);
    bool Contains(int32_t catalog, int32_t number) const;
    // False for an index outside the list; the selection follows the entries.
    bool Remove(int32_t index);
    void Clear();
    // In place of the entries (cut at the capacity), for loading and sorting.
    void Assign(std::vector<ListEntry> entries);

private:
    std::vector<ListEntry> entries_;
    int32_t capacity_;
};

}  // namespace vsp
