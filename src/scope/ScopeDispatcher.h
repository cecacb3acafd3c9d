#pragma once
// The telescope operations the forms and commands use (connect, read, goto, sync, rate, move,
// stop), each sent to the protocol of the drive chosen in the settings. The dispatcher shows
// the messages of drives that lack an operation; the protocols show their own failures.
// Positions: right ascension in hours, declination in degrees, true equator of date once a
// catalog place has been reduced.

#include <functional>
#include <memory>
#include <optional>

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Time.h"
#include "format/TextFormats.h"
#include "platform/InfoSink.h"
#include "scope/Alignment.h"
#include "scope/DriveTable.h"
#include "scope/EncoderBox.h"
#include "scope/EmulatedMount.h"
#include "scope/MountProtocol.h"
#include "scope/ScopeMoment.h"
#include "scope/SerialLink.h"

namespace vsp {

enum class ScopeGotoResult {
    Failed,          // reported to the user
    PositionsShown,  // a drive that cannot slew showed where the target is
    Guidance,        // a setting-circle box: the user pushes the tube, guided by the form
    Slewing,         // the mount took the target; the scope control form follows it
    Sent,            // the mount took the target but tells nothing while it slews
};

// Where the target of a goto was sent, for the caller to report.
struct ScopeGotoTarget {
    EquatorialPosition apparent;  // the reduced place of date
    EquatorialPosition mount;     // what the mount was told
    double azimuth = 0.0;         // degrees from north through east
    double altitude = 0.0;
};

class ScopeDispatcher {
public:
    // `alignment` converts readings and targets while the settings choose the two-star method.
    ScopeDispatcher(const Preferences& prefs, InfoSink& sink, SerialLink& link, const Alignment& alignment,
                    ScopeClock clock);
    ~ScopeDispatcher();

    bool ScopeConnect();
    void ScopeDisconnect();
    // The mount's own reading, no alignment applied: connects, reads, disconnects.
    bool ScopeReadRaw(EquatorialPosition& out);
    // Where the telescope points on the sky (of date): the reading through the alignment in
    // use.
    bool ScopeGetPosition(EquatorialPosition& out);
    // A catalog place (J2000) reduced in `coordinateMode` (0..3, as the chart mode).
    ScopeGotoResult ScopeGoto(EquatorialPosition catalog, int coordinateMode,
                              ScopeGotoTarget* sent = nullptr);
    // A catalog place (J2000) as a goto would send it, for the caller to sync or to show; a
    // date outside the ephemeris is reported.
    std::optional<ScopeGotoTarget> ReduceTarget(EquatorialPosition catalog, int coordinateMode);
    // Tells the mount that it points at `apparent` (of date).
    bool ScopeSync(EquatorialPosition apparent);
    bool ScopeSetRate(ScopeRate rate);
    bool ScopeMove(ScopeDirection direction);
    bool ScopeStopAxis(ScopeDirection direction);
    bool ScopeStop();

    SerialLink& Link() { return link_; }
    // The mount that answers while the link emulates.
    EmulatedMount& Emulated() { return emulated_; }
    // The setting-circle box of the encoder drives, with its guidance target.
    EncoderBox& Encoder() { return *encoder_; }
    // Who answers the protocols' questions (the Takahashi pier side); none answers Yes.
    void SetQuestion(ScopeQuestion ask) { ask_ = std::move(ask); }
    // The mount still holds the site an earlier run handed it: no site set-up in this one.
    void KeepMountSite() { siteKept_ = true; }
    InfoSink& Messages() { return sink_; }
    const Preferences& Prefs() const { return prefs_; }

private:
    // The protocol of the chosen drive, or null after telling the user the drive is unknown.
    MountProtocol* Protocol(std::string_view unknownDriveMessage);
    bool ConnectedProtocol(MountProtocol*& protocol);
    // Rate, move and stop: drives that cannot move only drive the emulated mount.
    // Reads the mount and, for the axes of an alt-azimuth reading, turns them into RA/Dec
    // unless the two-star alignment will.
    bool ReadSky(MountProtocol& protocol, const DriveInfo& drive, EquatorialPosition& out);
    bool Motion(std::string_view unknownDriveMessage,
                const std::function<bool(MountProtocol&)>& operation);
    std::optional<ScopeGotoTarget> ReduceTarget(EquatorialPosition catalog, int coordinateMode,
                                                const ScopeMoment& moment);
    bool TwoStarMethod() const { return prefs_.alignMethod == 0; }
    bool ExternalMethod() const { return prefs_.alignMethod == 1; }
    // The pointing correction of the external method added to the mount coordinates.
    void CorrectPointing(ScopeGotoTarget& target);
    // The mount coordinates of an apparent target under the two-star alignment.
    void AlignTarget(ScopeGotoTarget& target, const DriveInfo& drive, const ScopeMoment& moment);
    void ShowPositions(const ScopeGotoTarget& target, const ScopeMoment& moment);

    const Preferences& prefs_;
    InfoSink& sink_;
    SerialLink& link_;
    const Alignment& alignment_;
    ScopeClock clock_;
    ScopeQuestion ask_;
    bool siteKept_ = false;
    ScopeRate rate_ = ScopeRate::Fast;
    EmulatedMount emulated_;
    MountContext context_;
    // What every mount answers with while the link emulates, in RA/Dec or in the axes of the
    // output type.
    std::unique_ptr<MountProtocol> emulatedRaDec_;
    std::unique_ptr<MountProtocol> emulatedAxes_;
    std::unique_ptr<MountProtocol> lx200_;
    std::unique_ptr<MountProtocol> nexstar_;
    std::unique_ptr<MountProtocol> servoCat_;
    std::unique_ptr<MountProtocol> takahashi_;
    std::unique_ptr<MountProtocol> siderealTech_;
    std::unique_ptr<MountProtocol> skyCommander_;
    std::unique_ptr<MountProtocol> indi_;
    std::unique_ptr<EncoderBox> encoder_;
};

}  // namespace vsp
