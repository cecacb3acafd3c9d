#include "tools/MoonTerminatorFeatures.h"

#include <algorithm>
#include <cmath>

namespace vsp {

std::vector<TerminatorFeature> FeaturesNearTerminator(const std::vector<SurfaceFeature>& features,
                                                      const MoonFaceView& face, double bandDeg) {
    std::vector<TerminatorFeature> near;
    for (const SurfaceFeature& f : features) {
        const double d = TerminatorDistanceDeg(face, f.lonDeg, f.latDeg);
        if (std::fabs(d) <= bandDeg && IsOnVisibleFace(face, f.lonDeg, f.latDeg))
            near.push_back({&f, d, IsSunriseSide(face, f.lonDeg)});
    }
    std::stable_sort(near.begin(), near.end(), [](const TerminatorFeature& a, const TerminatorFeature& b) {
        return a.feature->diameterKm > b.feature->diameterKm;
    });
    return near;
}

}  // namespace vsp
