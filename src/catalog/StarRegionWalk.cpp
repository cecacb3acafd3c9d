#include <algorithm>
#include <cmath>

#include "catalog/StarCatalog.h"

namespace vsp {

namespace {

bool InWindow(const RaMinuteWindow& w, int minutes) { return w.low <= minutes && minutes < w.high; }

int LimitByte(float limitingMagnitude) {
    if (!(limitingMagnitude > 0.0f)) return 0;
    return std::min(255, int(limitingMagnitude * 16.0f));
}

float WholeDegreesClamped(float degrees) {
    return std::clamp(std::trunc(degrees), -90.0f, 90.0f);
}

}  // namespace

int StarCatalog::WalkRegion(const StarWalkView& view, StarWalkTarget& target) {
    // Brighter than 5.5 the default stars already show everything there is.
    if (!extended_.IsOpen() || !(view.limitingMagnitude >= kWalkMinimumMagnitude)) return 0;
    const int limit = LimitByte(view.limitingMagnitude);
    cache_.MarkEmpty();
    int first = BlockByDeclination(WholeDegreesClamped(view.lowestDec));
    int last = BlockByDeclination(WholeDegreesClamped(view.highestDec));
    if (first > last) std::swap(first, last);
    int drawn = 0;
    for (int block = std::max(first, 0); block < last; ++block) {
        if (target.StopRequested()) break;
        if (!ReadBlock(block)) {
            MessageNumber(kHipparcosRecordUnreadable, block);
            break;
        }
        for (int i = 0; i < entriesPerBlock_; ++i) {
            const StarEntry& entry = blockEntries_[size_t(i)];
            if (entry.magnitude > limit) continue;
            const int minutes = StarEntryRaMinutes(entry);
            if (!InWindow(view.windows[0], minutes) && !InWindow(view.windows[1], minutes)) continue;
            StarRecord star;
            StarEntryToRecord(entry, star);
            const int size = StarSizeClass(entry.magnitude) + (view.scaleParameter == 1 ? 1 : 0);
            int16_t x = 0, y = 0;
            if (!target.DrawStar(star, size, StarColourClass(entry.colour), x, y)) continue;
            ++drawn;
            cache_.Add(block * entriesPerBlock_ + i, x, y);
        }
    }
    cache_.Close();
    return drawn;
}

}  // namespace vsp
