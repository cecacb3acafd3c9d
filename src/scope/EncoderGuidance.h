#pragma once
// How far a setting-circle user still has to push the tube: the guidance target seen through
// the two-star alignment on the box's own axes, and the differences from what the box reads.

#include <optional>

#include "scope/Alignment.h"
#include "scope/EncoderBox.h"

namespace vsp {

struct EncoderGuidance {
    double targetAzimuth = 0;   // degrees, on the box's axes (RA x 15 for setting circles on EQ)
    double targetAltitude = 0;
    double deltaAzimuth = 0;    // reading - target, the short way round: [-180, 180]
    double deltaAltitude = 0;   // reading - target
};

// Nothing without a target or an active alignment. `alignMethod` 0 (the two-star method)
// takes the mount's error terms off the target as a goto does; `clockDeg` is the local clock
// time x 15 of the reading.
std::optional<EncoderGuidance> GuideToTarget(const EncoderReading& reading, const EncoderTarget& target,
                                             const Alignment& alignment, int alignMethod, double clockDeg);

}  // namespace vsp
