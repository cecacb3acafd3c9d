#include "scope/ScopeDispatcher.h"

#include <cstdio>
#include <string>

#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/StarHorizontal.h"
#include "format/AngleFormat.h"
#include "platform/FormatText.h"
#include "scope/EmulatedProtocol.h"
#include "scope/IndiProtocol.h"
#include "scope/Lx200Protocol.h"
#include "scope/NexStarProtocol.h"
#include "scope/ServoCatProtocol.h"
#include "scope/SiderealTechProtocol.h"
#include "scope/SkyCommanderProtocol.h"
#include "scope/TakahashiProtocol.h"
#include "scope/Telescope.h"
#include "scope/ScopeMessages.h"

namespace vsp {

ScopeDispatcher::ScopeDispatcher(const Preferences& prefs, InfoSink& sink, SerialLink& link,
                                 const Alignment& alignment, ScopeClock clock)
    : prefs_(prefs),
      sink_(sink),
      link_(link),
      alignment_(alignment),
      clock_(std::move(clock)),
      context_{prefs, link, sink, emulated_, clock_, ask_, siteKept_, rate_},
      emulatedRaDec_(std::make_unique<EmulatedProtocol>(context_, false)),
      emulatedAxes_(std::make_unique<EmulatedProtocol>(context_, true)),
      lx200_(std::make_unique<Lx200Protocol>(context_)),
      nexstar_(std::make_unique<NexStarProtocol>(context_)),
      servoCat_(std::make_unique<ServoCatProtocol>(context_)),
      takahashi_(std::make_unique<TakahashiProtocol>(context_)),
      siderealTech_(std::make_unique<SiderealTechProtocol>(context_)),
      skyCommander_(std::make_unique<SkyCommanderProtocol>(context_)),
      indi_(std::make_unique<IndiProtocol>(context_)),
      encoder_(std::make_unique<EncoderBox>(context_)) {}

ScopeDispatcher::~ScopeDispatcher() = default;

MountProtocol* ScopeDispatcher::Protocol(std::string_view unknownDriveMessage) {
    const std::optional<DriveInfo> drive = FindDrive(prefs_.scopeDrive);
    if (!drive) {
        sink_.InfoBox(unknownDriveMessage, "");
        return nullptr;
    }
    // The setting-circle boxes keep emulated counts of their own.
    if (link_.Emulating() && drive->family != DriveFamily::Encoder)
        return drive->family == DriveFamily::SiderealTech ? emulatedAxes_.get() : emulatedRaDec_.get();
    switch (drive->family) {
        case DriveFamily::Lx200:
        case DriveFamily::Lx200ReadOnly:
        case DriveFamily::Lx200Gemini: return lx200_.get();
        case DriveFamily::NexStar: return nexstar_.get();
        case DriveFamily::ServoCat: return servoCat_.get();
        case DriveFamily::Takahashi: return takahashi_.get();
        case DriveFamily::SiderealTech: return siderealTech_.get();
        case DriveFamily::SkyCommander: return skyCommander_.get();
        case DriveFamily::Indi: return indi_.get();
        case DriveFamily::Encoder: return encoder_.get();
        // Every operation refuses these drives before it gets here but for the motions, which
        // only reach a mount in emulation.
        case DriveFamily::None:
        case DriveFamily::PowerFlex:
        case DriveFamily::Dynastar: return lx200_.get();
    }
    return lx200_.get();
}

bool ScopeDispatcher::ScopeConnect() {
    if (const auto refusal = ConnectRefusal(prefs_.scopeDrive)) {
        sink_.InfoBox(*refusal, "");
        return false;
    }
    MountProtocol* protocol = Protocol(scope_text::kUnknownDrive);
    return protocol && protocol->Connect();
}

bool ScopeDispatcher::ConnectedProtocol(MountProtocol*& protocol) {
    if (!ScopeConnect()) return false;
    protocol = Protocol(scope_text::kUnknownDrive);
    return protocol != nullptr;
}

void ScopeDispatcher::ScopeDisconnect() {
    if (const auto refusal = DisconnectRefusal(prefs_.scopeDrive)) {
        sink_.InfoBox(*refusal, "");
        return;
    }
    if (MountProtocol* protocol = Protocol(scope_text::kUnknownDriveDot)) protocol->Disconnect();
}

bool ScopeDispatcher::ScopeReadRaw(EquatorialPosition& out) {
    out = {};
    if (const auto refusal = ReadRefusal(prefs_.scopeDrive)) {
        sink_.InfoBox(*refusal, "");
        return false;
    }
    MountProtocol* protocol = nullptr;
    if (!ConnectedProtocol(protocol)) return false;
    const bool read = protocol->ReadPosition(out);
    if (!read) sink_.InfoBox(ReadFailureMessage(FindDrive(prefs_.scopeDrive)->family, prefs_.scopeOutputType != 0), "");
    protocol->Disconnect();
    return read;
}

bool ScopeDispatcher::ScopeGetPosition(EquatorialPosition& out) {
    out = {};
    const DriveId drive = prefs_.scopeDrive;
    if (const auto refusal = GetPositionRefusal(drive)) {
        sink_.InfoBox(*refusal, "");
        return false;
    }
    if (!FindDrive(drive)) {
        sink_.InfoBox(scope_text::kUnknownDriveRead, "");
        return false;
    }
    MountProtocol* protocol = nullptr;
    if (!ConnectedProtocol(protocol) || !ReadSky(*protocol, *FindDrive(drive), out)) return false;
    if (!alignment_.IsActive() || !TwoStarMethod()) return true;
    const double axis1 = prefs_.scopeOutputType == 0 ? out.raHours * 15 : out.raHours;
    if (const auto sky = alignment_.MountToSky(ClockAngleDegrees(clock_().local), axis1, out.decDegrees)) out = *sky;
    return true;
}

bool ScopeDispatcher::ReadSky(MountProtocol& protocol, const DriveInfo& drive, EquatorialPosition& out) {
    if (!protocol.ReadPosition(out)) return false;
    const bool horizontalAxes = prefs_.scopeOutputType != 0 &&
                                (drive.family == DriveFamily::Encoder || drive.family == DriveFamily::SiderealTech);
    if (horizontalAxes && !(alignment_.IsActive() && TwoStarMethod()))
        out = EquatorialOf(clock_(), {.azimuth = out.raHours, .altitude = out.decDegrees});
    return true;
}

std::optional<ScopeGotoTarget> ScopeDispatcher::ReduceTarget(EquatorialPosition catalog, int coordinateMode,
                                                             const ScopeMoment& moment) {
    ReductionState state;
    StarPlace place;
    if (StarHorizontal({.raHours = catalog.raHours, .decDeg = catalog.decDegrees}, coordinateMode,
                       LocalInstant(moment.local, moment.settings), moment.settings, state, place) != 0) {
        sink_.InfoBox(scope_text::kGotoFailed, scope_text::kDateOutOfRange);
        return std::nullopt;
    }
    ScopeGotoTarget target;
    target.apparent = target.mount = {place.raHours, place.decDeg};
    target.azimuth = place.azimuth;
    target.altitude = place.altitude;
    return target;
}

std::optional<ScopeGotoTarget> ScopeDispatcher::ReduceTarget(EquatorialPosition catalog, int coordinateMode) {
    return ReduceTarget(catalog, coordinateMode, clock_());
}

ScopeGotoResult ScopeDispatcher::ScopeGoto(EquatorialPosition catalog, int coordinateMode,
                                           ScopeGotoTarget* sent) {
    const ScopeMoment moment = clock_();
    const std::optional<ScopeGotoTarget> reduced = ReduceTarget(catalog, coordinateMode, moment);
    if (!reduced) return ScopeGotoResult::Failed;
    ScopeGotoTarget target = *reduced;
    if (sent) *sent = target;

    const DriveId drive = prefs_.scopeDrive;
    if (const auto refusal = GotoRefusal(drive)) {
        sink_.InfoBox(*refusal, "");
        return ScopeGotoResult::Failed;
    }
    const std::optional<DriveInfo> info = FindDrive(drive);
    if (!info) {
        sink_.InfoBox(FormatText(scope_text::kUnknownDriveGoto.data(), drive), "");
        return ScopeGotoResult::Failed;
    }
    AlignTarget(target, *info, moment);
    if (sent) *sent = target;
    if (info->gotoKind == GotoKind::ShowPositionsOnly) {
        ShowPositions(target, moment);
        return ScopeGotoResult::PositionsShown;
    }
    if (info->gotoKind == GotoKind::Guidance) {
        if (!TwoStarMethod() || !alignment_.IsActive()) {
            sink_.InfoBox(TwoStarMethod() ? scope_text::kDoTwoStarAlign : scope_text::kSelectTwoStarMethod, "");
            return ScopeGotoResult::Failed;
        }
        encoder_->SetTarget(target.apparent);
        return ScopeGotoResult::Guidance;
    }
    MountProtocol* protocol = nullptr;
    if (!ConnectedProtocol(protocol)) return ScopeGotoResult::Failed;
    if (protocol->Goto(target.mount) != GotoOutcome::Accepted) {
        sink_.InfoBox(scope_text::kGotoFailed, "");
        protocol->Disconnect();
        return ScopeGotoResult::Failed;
    }
    if (info->slewReport == SlewReport::SilentClosed) protocol->Disconnect();
    return info->slewReport == SlewReport::Followed ? ScopeGotoResult::Slewing : ScopeGotoResult::Sent;
}

// Setting circles are guided with the alignment by the scope form itself; the pointing
// correction of the external method is the mount's own business here.
void ScopeDispatcher::AlignTarget(ScopeGotoTarget& target, const DriveInfo& drive, const ScopeMoment& moment) {
    if (ExternalMethod()) CorrectPointing(target);
    if (!TwoStarMethod()) return;
    if (!alignment_.IsActive()) {
        sink_.InfoBox(scope_text::kFirstTwoStarAlign, "");
        return;
    }
    if (drive.family == DriveFamily::Encoder) return;
    const auto mount = alignment_.GotoMountPosition(ClockAngleDegrees(moment.local), target.apparent.raHours,
                                                    target.apparent.decDegrees);
    if (mount) target.mount = *mount;
}

// The model was fitted to right ascensions in degrees (hours x 15), as the N-star list keeps
// them, so the target's hours go to it in degrees too.
void ScopeDispatcher::CorrectPointing(ScopeGotoTarget& target) {
    if (alignment_.pointing.coefficients.empty()) return;
    double axis1 = target.mount.raHours * 15, axis2 = target.mount.decDegrees;
    if (!ApplyPointingModel(alignment_.pointing, prefs_.scopeOutputType == 0, axis1, axis2, sink_)) return;
    target.mount = {ReduceAngle(axis1, 360.0) / 15, axis2};
}

void ScopeDispatcher::ShowPositions(const ScopeGotoTarget& target, const ScopeMoment& moment) {
    const std::string sky = FormatText(scope_text::kSkyPosition.data(),
                                       HMSToStr(target.apparent.raHours, moment.formats).c_str(),
                                       DmsToStr(target.apparent.decDegrees, moment.formats).c_str(),
                                       DmsToStr(target.azimuth, moment.formats).c_str(),
                                       DmsToStr(target.altitude, moment.formats).c_str());
    const bool equatorial = prefs_.scopeOutputType == 0;
    const std::string scope =
        equatorial ? FormatText(scope_text::kScopePositionEq.data(),
                                HMSToStr(target.mount.raHours, moment.formats).c_str(),
                                DmsToStr(target.mount.decDegrees, moment.formats).c_str())
                   : FormatText(scope_text::kScopePositionAz.data(),
                                DmsToStr(target.mount.raHours * 15, moment.formats).c_str(),
                                DmsToStr(target.mount.decDegrees, moment.formats).c_str());
    sink_.InfoBox(sky, scope);
}

bool ScopeDispatcher::ScopeSync(EquatorialPosition apparent) {
    const std::optional<DriveInfo> drive = FindDrive(prefs_.scopeDrive);
    if (drive && !drive->syncs) {
        sink_.InfoBox(scope_text::kSyncNotImplemented, "");
        return false;
    }
    MountProtocol* protocol = nullptr;
    if (!ConnectedProtocol(protocol)) return false;
    const bool synced = protocol->Sync(apparent);
    protocol->Disconnect();
    return synced;
}

bool ScopeDispatcher::Motion(std::string_view unknownDriveMessage,
                             const std::function<bool(MountProtocol&)>& operation) {
    const std::optional<DriveInfo> drive = FindDrive(prefs_.scopeDrive);
    if (!drive) {
        sink_.InfoBox(unknownDriveMessage, "");
        return false;
    }
    // Drives that cannot move still drive their emulated mount or encoder counts.
    if (!drive->moves && !link_.Emulating()) return true;
    MountProtocol* protocol = Protocol(unknownDriveMessage);
    return protocol && operation(*protocol);
}

bool ScopeDispatcher::ScopeSetRate(ScopeRate rate) {
    return Motion(scope_text::kUnknownDriveDot, [this, rate](MountProtocol& p) {
        rate_ = rate;
        return p.SetRate(rate);
    });
}

bool ScopeDispatcher::ScopeMove(ScopeDirection direction) {
    return Motion(scope_text::kUnknownDrive, [direction](MountProtocol& p) { return p.Move(direction); });
}

bool ScopeDispatcher::ScopeStopAxis(ScopeDirection direction) {
    return Motion(scope_text::kUnknownDriveDot,
                  [direction](MountProtocol& p) { return p.StopAxis(direction); });
}

bool ScopeDispatcher::ScopeStop() {
    return Motion(scope_text::kUnknownDriveDot, [](MountProtocol& p) { return p.Stop(); });
}

}  // namespace vsp
