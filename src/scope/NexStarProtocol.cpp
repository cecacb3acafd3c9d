#include "scope/NexStarProtocol.h"

#include "scope/MountLink.h"

namespace vsp {
namespace {

constexpr int kNexStarBaud = 9600;
// 8 data bits with the RTS handshake, which the Ultima 2000 needs.
constexpr uint8_t kUltimaFraming = 208;

bool IsNexStarDrive(DriveId drive) {
    return drive == 8 || drive == 9 || drive == 10 || drive == 15 || drive == 20;
}

}  // namespace

NexStarProtocol::NexStarProtocol(const Preferences& prefs, SerialLink& link, InfoSink& sink,
                                 EmulatedMount& mount)
    : prefs_(prefs), link_(link), sink_(sink), mount_(mount) {}

bool NexStarProtocol::Connect() {
    return ConnectMount(link_, sink_, prefs_.scopePort, kNexStarBaud, [this] { return Handshake(); }, nexstar::kFailOpenNexStar);
}

bool NexStarProtocol::Handshake() {
    const DriveId drive = Drive();
    if (drive == 15 && !link_.SerialReconfigure(kUltimaFraming)) return false;
    if (!IsNexStarDrive(drive)) {
        sink_.InfoBox(nexstar::kNotNexStar, "");
        return false;
    }
    if (drive == 8) return LegacyReady();
    return SendCommand(nexstar::kEcho) && AcceptsNexStarEcho(drive, ReadReply(link_, 2));
}

void NexStarProtocol::Disconnect() {
    if (!link_.Emulating()) link_.SerialClose();
}

bool NexStarProtocol::ReadPosition(EquatorialPosition& out) {
    out = {};
    if (link_.Emulating()) {
        out = mount_.Step();
        return true;
    }
    std::optional<NexStarAngles> angles;
    if (Drive() == 8) {
        if (!LegacyReady() || !link_.SerialSend(nexstar::kGetPosition)) return false;
        angles = ParseNexStarLegacyAngles(ReadReply(link_, nexstar::kLegacyPositionLength));
    } else {
        if (!SendCommand(nexstar::kGetPosition)) return false;
        angles = ParseNexStarAngles(ReadReply(link_, nexstar::kPositionReplyMax), NexStarPrecision::Short);
    }
    if (!angles) return false;
    out = NexStarPosition(*angles);
    return true;
}

GotoOutcome NexStarProtocol::Goto(EquatorialPosition target) {
    if (link_.Emulating()) {
        mount_.Goto(target);
        return GotoOutcome::Accepted;
    }
    if (Drive() == 8) {
        if (!LegacyReady()) return GotoOutcome::Refused;
        return link_.SerialSend(NexStarLegacyCoordinateCommand(target)) ? GotoOutcome::Accepted
                                                                         : GotoOutcome::NotSent;
    }
    if (!SendCommand(NexStarCoordinateCommand('R', target, NexStarPrecision::Short))) return GotoOutcome::NotSent;
    // The hand controller acknowledges with '#'; anything else (silence, noise) is no goto.
    return ReadReply(link_, 1) == std::string(1, nexstar::kAck) ? GotoOutcome::Accepted : GotoOutcome::Refused;
}

bool NexStarProtocol::Sync(EquatorialPosition position) {
    if (link_.Emulating()) {
        mount_.Sync(position);
        return true;
    }
    if (Drive() == 8) return LegacyReady() && link_.SerialSend(NexStarLegacyCoordinateCommand(position));
    const char letter = Drive() == 15 ? 'F' : 'S';
    if (!SendCommand(NexStarCoordinateCommand(letter, position, NexStarPrecision::Short))) return false;
    const bool answered = !ReadReply(link_, 1).empty();
    link_.SerialDrain();
    return answered;
}

bool NexStarProtocol::SetRate(ScopeRate rate) {
    if (link_.Emulating()) mount_.SetRate(rate);
    fixedRate_ = NexStarFixedRate(rate);
    return true;
}

bool NexStarProtocol::Move(ScopeDirection direction) {
    if (link_.Emulating()) {
        mount_.Move(direction);
        return true;
    }
    switch (Drive()) {
        case 9: return link_.SerialSend(NexStarOldGtMove(direction, fixedRate_));
        case 10:
        case 20: return SendAcknowledged(NexStarMovePacket(direction, fixedRate_), nexstar::kNoAckMove);
        default: return true;
    }
}

bool NexStarProtocol::StopAxis(ScopeDirection direction) {
    if (link_.Emulating()) {
        mount_.Stop();
        return true;
    }
    // A halt is a positive slew at rate 0 on the axis.
    const ScopeDirection positive =
        direction == ScopeDirection::South ? ScopeDirection::North
                                           : direction == ScopeDirection::East ? ScopeDirection::West : direction;
    switch (Drive()) {
        case 9: return link_.SerialSend(NexStarOldGtStopAxis());
        case 10:
        case 20: return SendAcknowledged(NexStarMovePacket(positive, 0), nexstar::kNoAckMove);
        default: return true;
    }
}

bool NexStarProtocol::Stop() {
    if (link_.Emulating()) {
        mount_.Stop();
        return true;
    }
    if (Drive() == 9) return link_.SerialSend(NexStarOldGtStop());
    return SendAcknowledged(nexstar::kStop, nexstar::kNoAckStop);
}

bool NexStarProtocol::SendCommand(std::string_view command) {
    if (!link_.SerialSend(command)) return false;
    return Drive() != 15 || link_.SerialSend(nexstar::kReturn);
}

bool NexStarProtocol::LegacyReady() {
    return link_.SerialSend(nexstar::kLegacyEcho) && AcceptsNexStarEcho(8, ReadReply(link_, 1));
}

// The SkyScan EQ6 is not known to acknowledge; its silence is not reported.
bool NexStarProtocol::SendAcknowledged(std::string_view command, std::string_view message) {
    if (!link_.SerialSend(command)) return false;
    const std::string reply = ReadReply(link_, 1);
    if (reply != std::string(1, nexstar::kAck) && Drive() != 20) sink_.InfoBox(message, "");
    return true;
}


}  // namespace vsp
