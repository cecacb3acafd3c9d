#pragma once
// The digital setting circle boxes (drives 1 AAM Skyvector, 3 BBox, 4 Dave Ek, 11 NGC-Max,
// 12 Ouranos, 16 Intelliscope, 22 SkyWizard and the unlisted 21) over the serial link at 9600
// baud: the resolutions handed to the box once, the raw counts of both shaft encoders, their
// angles through the steps per turn of the settings (a negative value counts the other way)
// and the zero offsets, and the emulated box that rate, move and stop drive while the link
// emulates. Nothing is ever sent to move the mount: a goto only stores the target the scope
// control form guides the user to.

#include <cstdint>
#include <optional>

#include "scope/EncoderCodec.h"
#include "scope/MountContext.h"
#include "scope/MountProtocol.h"

namespace vsp {

// A declination this low means no guidance target.
inline constexpr double kNoEncoderTarget = -100.0;

struct EncoderState {
    bool connected = false;
    bool initialised = false;  // the box has its resolutions
    int32_t altitudeOffset = 0;  // counts
    int32_t azimuthOffset = 0;
    double emulatedMagnitude = 2.0;  // degrees per read while moving
    int32_t emulatedAzimuthStep = 0;  // counts per read
    int32_t emulatedAltitudeStep = 0;
    int32_t emulatedAzimuthCount = 0;
    int32_t emulatedAltitudeCount = 0;
};

struct EncoderReading {
    double azimuth = 0;   // degrees, [0, 360)
    double altitude = 0;  // degrees, (-180, 180]
    int32_t azimuthCount = 0;
    int32_t altitudeCount = 0;
};

// The place the user is guided to: RA hours and Dec degrees of date.
struct EncoderTarget {
    double raHours = 0;
    double decDegrees = kNoEncoderTarget;
    bool IsSet() const { return decDegrees > kNoEncoderTarget; }
};

struct EncoderOffsets {
    int32_t altitude = 0;  // counts
    int32_t azimuth = 0;
};

class EncoderBox : public MountProtocol {
public:
    explicit EncoderBox(const MountContext& context);

    // Opens the port and hands the box its resolutions unless it has them; true when connected.
    bool Connect() override;
    void Disconnect() override;
    // The axes as the output type reads them: RA = azimuth / 15 hours and Dec = altitude for
    // type 0, azimuth degrees (in the RA field) and altitude otherwise.
    bool ReadPosition(EquatorialPosition& out) override;
    // Stores the guidance target (the dispatcher then opens the guidance); nothing is sent.
    GotoOutcome Goto(EquatorialPosition target) override;
    bool Sync(EquatorialPosition position) override;
    // Drive the emulated counts only.
    bool SetRate(ScopeRate rate) override;
    bool Move(ScopeDirection direction) override;
    bool StopAxis(ScopeDirection direction) override;
    bool Stop() override;

    bool ReadAltAz(EncoderReading& out);
    // 1 when the box is ready (the Dave Ek box is asked).
    bool Status();
    // Sets the zero offsets from a reference place (azimuth or RA x 15, altitude or Dec, in
    // degrees) when both are still 0; the offsets set, for the caller to save.
    std::optional<EncoderOffsets> SetZero(double reference1, double reference2);
    // Offsets brought back with a saved alignment: the box counts as initialised, and as
    // connected while its line is open.
    void RestoreZero(EncoderOffsets offsets);
    // The resolutions are handed again at the next connect.
    void ResetZero();

    void SetTarget(EquatorialPosition target) { target_ = {target.raHours, target.decDegrees}; }
    void ClearTarget() { target_ = {}; }
    const EncoderTarget& Target() const { return target_; }
    // The emulated telescope covers the remaining distance (degrees) at the next read.
    void SteerEmulated(double deltaAzimuth, double deltaAltitude);
    const EncoderState& State() const { return state_; }

private:
    // The box's own initialisation, when it has none yet.
    void Initialise();
    // The raw counts: stepped while emulating, else asked of the box.
    std::optional<EncoderCounts> ReadCounts();
    std::optional<EncoderCounts> AskCounts();
    void MarkInitialised();
    // Another box, or other steps per turn, since the box was initialised.
    bool SetupChanged() const;
    int32_t AzimuthTurn() const;
    int32_t AltitudeTurn() const;

    MountContext context_;
    EncoderState state_;
    EncoderTarget target_;
    // The box and the steps per turn it was given, to see when the settings change them.
    int initialisedDrive_ = 0;
    EncoderCounts initialisedSteps_;
};

}  // namespace vsp
