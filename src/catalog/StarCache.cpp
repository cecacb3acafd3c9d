#include "catalog/StarCache.h"

namespace vsp {

void StarCache::MarkEmpty() {
    stored_ = 0;
    entries_[0].sequence = kStarCacheEnd;
}

bool StarCache::Add(int32_t sequence, int16_t screenX, int16_t screenY) {
    if (stored_ >= kStarCacheSize) return false;
    entries_[size_t(stored_++)] = {sequence, screenX, screenY};
    return true;
}

void StarCache::Close() {
    const int slot = stored_ < kStarCacheSize ? stored_ : kStarCacheSize - 1;
    entries_[size_t(slot)].sequence = kStarCacheEnd;
}

int StarCache::Length() const {
    int n = 0;
    while (n < kStarCacheSize && entries_[size_t(n)].sequence != kStarCacheEnd) ++n;
    return n;
}

}  // namespace vsp
