#include "scope/EncoderZero.h"

#include "scope/DriveTable.h"

namespace vsp {

bool ZeroEncoderOnStar(EncoderBox& box, const Preferences& prefs, const ScopeGotoTarget& star, SavedAlignment& saved) {
    if (!IsEncoderDrive(prefs.scopeDrive)) return false;
    const bool equatorial = prefs.scopeOutputType == 0;
    const auto offsets = equatorial ? box.SetZero(star.apparent.raHours * 15, star.apparent.decDegrees)
                                    : box.SetZero(star.azimuth, star.altitude);
    if (!offsets) return false;
    saved.zeroOffsetAz = offsets->azimuth;
    saved.zeroOffsetAlt = offsets->altitude;
    return true;
}

void SettleEncoderZero(EncoderBox& box, const Preferences& prefs, const SavedAlignment& saved, bool restored) {
    if (!restored || !IsEncoderDrive(prefs.scopeDrive)) {
        box.ResetZero();
        return;
    }
    box.RestoreZero({.altitude = saved.zeroOffsetAlt, .azimuth = saved.zeroOffsetAz});
}

}  // namespace vsp
