#include "scope/NStarList.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vsp {

AlignStar NewNStar(std::string_view name, int32_t starIndex, double clockDeg, double raHours, double decDeg,
                   bool equatorial, double azimuth, double altitude) {
    AlignStar star;
    star.starIndex = starIndex;
    star.name = std::string(name.substr(0, kAlignStarNameMax));
    star.clockDeg = clockDeg;
    star.raDeg = raHours * 15;
    star.decDeg = decDeg;
    star.axis1Deg = star.predictedAxis1 = equatorial ? star.raDeg : azimuth;
    star.axis2Deg = star.predictedAxis2 = equatorial ? star.decDeg : altitude;
    return star;
}

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
