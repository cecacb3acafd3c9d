#include "catalog/ObservingList.h"

#include <algorithm>
#include <array>

namespace vsp {

int32_t ListCapacityOfRow(int32_t row) {
    static constexpr std::array<int32_t, 11> kCapacities{25, 50, 100, 150, 200, 250,
                                                          300, 350, 400, 450, 500};
    return kCapacities[size_t(std::clamp(row, 0, int32_t(kCapacities.size()) - 1))];
}

void ObservingList::SetCapacity(int32_t capacity) {
    capacity_ = std::max(capacity, 1);
    if (Count() > capacity_) entries_.resize(size_t(capacity_));
    if (selected >= Count()) selected = -1;
}

bool ObservingList::Contains(int32_t catalog, int32_t number) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const ListEntry& entry) {
        return entry.catalog == catalog && entry.number == number;
    });
}

ListAddResult ObservingList::Add(const ListEntry& entry) {
    if (std::any_of(entries_.begin(), entries_.end(), [&](const ListEntry& e) { return SameListTarget(e, entry); }))
        return ListAddResult::Duplicate;
    if (Full()) return ListAddResult::Full;
    entries_.push_back(entry);
    return ListAddResult::Added;
}

bool ObservingList::Remove(int32_t index) {
    if (index < 0 || index >= Count()) return false;
    entries_.erase(entries_.begin() + index);
    if (selected == index) selected = -1;
    else if (selected > index) --selected;
    return true;
}

void ObservingList::Clear() {
    entries_.clear();
    selected = -1;
}

void ObservingList::Assign(std::vector<ListEntry> entries) {
    if (int32_t(entries.size()) > capacity_) entries.resize(size_t(capacity_));
    entries_ = std::move(entries);
    if (selected >= Count()) selected = -1;
}

}  // namespace vsp
