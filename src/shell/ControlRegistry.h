#pragma once
// The ids of the controls the current form has subclassed (its title, its popup triggers), so
// that closing the form can release them. The array grows to 2n+1 entries when full.

#include <cstdint>
#include <memory>

namespace vsp {

class ControlRegistry {
public:
    void Add(int32_t controlId);
    void Clear() { count_ = 0; }
    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    int32_t At(int index) const { return ids_[size_t(index)]; }
    bool Contains(int32_t controlId) const;

private:
    std::unique_ptr<int32_t[]> ids_;
    int count_ = 0;
    int capacity_ = 0;
};

}  // namespace vsp
