#pragma once
// The stars drawn by the last walk over an extended catalog, kept so that a tap can be
// matched to a star. An entry whose sequence number is kStarCacheEnd ends the list; with all
// slots used the last one holds the end marker, so at most kStarCacheSize - 1 stay findable.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vsp {

inline constexpr int kStarCacheSize = 2000;
inline constexpr int32_t kStarCacheEnd = 20000000;

struct StarCacheEntry {
    int32_t sequence = kStarCacheEnd;  // block x N + entry
    int16_t screenX = 0;
    int16_t screenY = 0;
};

class StarCache {
public:
    StarCache() : entries_(kStarCacheSize) {}

    // Before a walk: empty, and marked so in the first entry.
    void MarkEmpty();
    // Stores a drawn star while fewer than kStarCacheSize are stored; false when full.
    bool Add(int32_t sequence, int16_t screenX, int16_t screenY);
    // After a walk: the end marker behind the last stored star, or over the last slot.
    void Close();

    // Entries before the end marker.
    int Length() const;
    const StarCacheEntry& At(int index) const { return entries_[size_t(index)]; }

private:
    std::vector<StarCacheEntry> entries_;
    int stored_ = 0;
};

}  // namespace vsp
