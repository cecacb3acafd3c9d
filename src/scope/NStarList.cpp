#include "scope/NStarList.h"

#include <algorithm>
#include <cmath>

namespace vsp {

bool NStarList::Add(const AlignStar& star, InfoSink& messages) {
    if (stars_.size() >= kMaxNStars) {
        messages.InfoBox(kTooManyNStars, "");
        return false;
    }
    const bool taken = std::any_of(stars_.begin(), stars_.end(), [&](const AlignStar& listed) {
        return std::fabs(listed.raDeg - star.raDeg) < kSameRaDeg && std::fabs(listed.decDeg - star.decDeg) < kSameDecDeg;
    });
    if (taken) {
        messages.InfoBox(kNStarTaken, "");
        return false;
    }
    stars_.push_back(star);
    return true;
}

bool NStarList::Remove(size_t index, InfoSink& messages) {
    if (stars_.empty()) {
        messages.InfoBox(kNoStarToDelete, "");
        return false;
    }
    if (index >= stars_.size()) return false;
    stars_.erase(stars_.begin() + std::ptrdiff_t(index));
    return true;
}

}  // namespace vsp
