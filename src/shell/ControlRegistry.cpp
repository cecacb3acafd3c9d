#include "shell/ControlRegistry.h"

#include <algorithm>

namespace vsp {

void ControlRegistry::Add(int32_t controlId) {
    if (count_ == capacity_) {
        const int grown = 2 * capacity_ + 1;
        auto ids = std::make_unique<int32_t[]>(size_t(grown));
        std::copy(ids_.get(), ids_.get() + count_, ids.get());
        ids_ = std::move(ids);
        capacity_ = grown;
    }
    ids_[size_t(count_++)] = controlId;
}

bool ControlRegistry::Contains(int32_t controlId) const {
    return std::find(ids_.get(), ids_.get() + count_, controlId) != ids_.get() + count_;
}

}  // namespace vsp
