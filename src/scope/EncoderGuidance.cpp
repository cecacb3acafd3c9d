#include "scope/EncoderGuidance.h"

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {

namespace {

// The target on the mount's axes, degrees.
std::optional<EquatorialPosition> TargetAxes(const EncoderTarget& target, const Alignment& alignment,
                                             int alignMethod, double clockDeg) {
    if (alignMethod == 0) {
        const auto mount = alignment.GotoMountPosition(clockDeg, target.raHours, target.decDegrees);
        if (!mount) return std::nullopt;
        return EquatorialPosition{mount->raHours * 15.0, mount->decDegrees};
    }
    AlignStar record;
    record.clockDeg = clockDeg;
    record.raDeg = target.raHours * 15.0;
    record.decDeg = target.decDegrees;
    if (!alignment.SkyToMount(record)) return std::nullopt;
    return EquatorialPosition{record.predictedAxis1 * kRadToDeg, record.predictedAxis2 * kRadToDeg};
}

}  // namespace

std::optional<EncoderGuidance> GuideToTarget(const EncoderReading& reading, const EncoderTarget& target,
                                             const Alignment& alignment, int alignMethod, double clockDeg) {
    if (!target.IsSet()) return std::nullopt;
    const auto axes = TargetAxes(target, alignment, alignMethod, clockDeg);
    if (!axes) return std::nullopt;
    EncoderGuidance g{.targetAzimuth = axes->raHours, .targetAltitude = axes->decDegrees};
    g.deltaAzimuth = ReduceAngleSigned(reading.azimuth - g.targetAzimuth, 360.0);
    g.deltaAltitude = reading.altitude - g.targetAltitude;
    return g;
}

}  // namespace vsp
