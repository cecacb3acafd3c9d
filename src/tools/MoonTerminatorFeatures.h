#pragma once
// The named lunar features the terminator crosses tonight: those on the Earth-facing disc
// within a few degrees of the line between day and night (MoonFace.h), largest first.

#include <vector>

#include "catalog/SurfaceFeatures.h"
#include "ephemeris/MoonFace.h"

namespace vsp {

// How far ahead the next sunrise and sunset on a feature are looked for: a lunation and more.
inline constexpr double kTerminatorPassageDays = 30.0;

// The band either side of the terminator, degrees of selenographic arc.
inline constexpr double kNearTerminatorDeg = 3.0;

struct TerminatorFeature {
    const SurfaceFeature* feature = nullptr;
    double distanceDeg = 0.0;  // from the terminator, positive in sunlight
    bool sunrise = false;      // the morning terminator (the Sun rising there)
};

// Largest first; features of equal size in the file's order.
std::vector<TerminatorFeature> FeaturesNearTerminator(const std::vector<SurfaceFeature>& features,
                                                      const MoonFaceView& face, double bandDeg = kNearTerminatorDeg);

}  // namespace vsp
