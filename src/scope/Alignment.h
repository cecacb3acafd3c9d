#pragma once
// The two-star alignment: a rotation between sky direction cosines and the mount's direction
// cosines, computed from two measured stars (the matrix method for computer-aided
// telescopes), that turns every mount reading into RA/Dec and every target into mount axes.

#include <cstdint>
#include <optional>
#include <string_view>

#include "ephemeris/Matrix.h"
#include "platform/InfoSink.h"
#include "scope/AlignStar.h"
#include "scope/EmulatedMount.h"
#include "scope/PointingModel.h"

namespace vsp {

inline constexpr std::string_view kFillAllValues = "Please, fill all values";
inline constexpr std::string_view kResetPlatformTitle = "ResetPlatform";
inline constexpr std::string_view kPlatformNotActivated = "PlatFormMode is not activated.";

// Sidereal turns per turn of the clock: how fast the sky rotates past a mount fixed to the
// ground, in clock angle.
inline constexpr double kSkyRotationRate = 1.002737909350795;

// How the mount's readings relate to the sky, filled by the caller from the preferences.
struct AlignmentFrame {
    int32_t outputType = 0;     // scope output type: 0 EQ (RA/Dec), 1 AZ, 2 encoder counts
    bool encoderDrive = false;  // IsEncoderDrive(drive)

    // Alt-azimuth readings and setting circles turn with the sky; a goto mount in EQ mode
    // reports the right ascension itself.
    bool SkyRotates() const { return outputType != 0 || encoderDrive; }
    // Azimuth runs the opposite way to right ascension.
    bool MirrorsAxis1() const { return outputType != 0; }
};

// The mount's mechanical errors, radians: non-perpendicular axes (z1), collimation (z2), zero
// of axis 2 (z3), and the offsets a goto takes off axis 2 (e2) and axis 1 (e1). The pointing
// correction fits them; a plain two-star alignment leaves them 0.
struct MountErrors {
    double z1 = 0, z2 = 0, z3 = 0;
    double e1 = 0, e2 = 0;
};

class Alignment {
public:
    // Sets the rotation from two measured stars; `referenceTime` ("hh:mm:ss" local clock) is
    // the origin of the sky's rotation. Mount readings pointing the same way are reported
    // ("Please, fill all values"); stars that coincide on the sky fail silently.
    bool ComputeAlignment(const AlignmentFrame& frame, std::string_view referenceTime,
                          const AlignStar& star1, const AlignStar& star2, InfoSink& messages);
    // Where the mount points for a reading taken at local clock angle `clockDeg`.
    std::optional<EquatorialPosition> MountToSky(double clockDeg, double axis1Deg,
                                                  double axis2Deg) const;
    // Writes where the mount sees the record's star at the record's clock angle into its
    // predicted axes (radians); false without an alignment.
    bool SkyToMount(AlignStar& record) const;
    // Takes the error model off a predicted position (radians) for a goto.
    void RemoveMountErrors(double& axis2, double& axis1) const;
    // Direction cosines of the mount axes axis 2 `theta` and axis 1 `phi` (radians).
    Vec3 MountVector(double theta, double phi) const;
    // The mount coordinates a goto sends for an apparent place at clock angle `clockDeg`:
    // RA hours (azimuth / 15 for the alt-azimuth output types) and degrees.
    std::optional<EquatorialPosition> GotoMountPosition(double clockDeg, double raHours,
                                                        double decDeg) const;

    void ResetAlignment() { active_ = false; }
    // On an equatorial platform the sky stands still in the mount's frame.
    void SetPlatformMode(bool on);
    // The platform went back to its start at clock angle `clockDeg`: the sky has turned by
    // the time since the reference time.
    bool ResetPlatform(double clockDeg, InfoSink& messages);

    bool IsActive() const { return active_; }
    bool IsPlatform() const { return platform_; }

    MountErrors errors;
    // The correction of the external method (a mount that aligns itself); no terms, none.
    PointingModel pointing;

private:
    // Clock angle since the reference time, radians, within one turn.
    double SinceReference(double clockDeg) const;
    // Direction cosines of a place, in the frame that turns with the sky when the mount's
    // readings do.
    Vec3 SkyVector(double raRad, double decRad, double clockDeg) const;
    double Axis1Radians(double axis1Deg) const;

    AlignmentFrame frame_;
    Mat3 skyToMount_ = MatIdentity();
    Mat3 mountToSky_ = MatIdentity();
    bool active_ = false;
    double referenceRad_ = 0;  // T0
    double rate_ = kSkyRotationRate;  // k
    double platformOffsetRad_ = 0;  // c
    bool platform_ = false;
};

}  // namespace vsp
