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

NexStarProtocol::NexStarProtocol(const MountContext& context) : context_(context) {}

bool NexStarProtocol::Connect() {
    return ConnectMount(context_.link, context_.sink, context_.prefs.scopePort, kNexStarBaud,
                        [this] { return Handshake(); }, nexstar::kFailOpenNexStar);
}

bool NexStarProtocol::Handshake() {
    const DriveId drive = Drive();
    if (drive == 15 && !context_.link.SerialReconfigure(kUltimaFraming)) return false;
    if (!IsNexStarDrive(drive)) {
        context_.sink.InfoBox(nexstar::kNotNexStar, "");
        return false;
    }
    if (drive == 8) return LegacyReady();
    return SendCommand(nexstar::kEcho) && AcceptsNexStarEcho(drive, ReadReply(context_.link, 2));
}

void NexStarProtocol::Disconnect() { context_.link.SerialClose(); }

bool NexStarProtocol::ReadPosition(EquatorialPosition& out) {
    out = {};
    std::optional<NexStarAngles> angles;
    if (Drive() == 8) {
        if (!LegacyReady() || !context_.link.SerialSend(nexstar::kGetPosition)) return false;
        angles = ParseNexStarLegacyAngles(ReadReply(context_.link, nexstar::kLegacyPositionLength));
    } else {
        if (!SendCommand(nexstar::kGetPosition)) return false;
        angles = ParseNexStarAngles(ReadReply(context_.link, nexstar::kPositionReplyMax), NexStarPrecision::Short);
    }
    if (!angles) return false;
    out = NexStarPosition(*angles);
    return true;
}

GotoOutcome NexStarProtocol::Goto(EquatorialPosition target) {
    if (Drive() == 8) {
        if (!LegacyReady()) return GotoOutcome::Refused;
        return context_.link.SerialSend(NexStarLegacyCoordinateCommand(target)) ? GotoOutcome::Accepted
                                                                                 : GotoOutcome::NotSent;
    }
    if (!SendCommand(NexStarCoordinateCommand('R', target, NexStarPrecision::Short))) return GotoOutcome::NotSent;
    // The hand controller acknowledges with '#'; anything else (silence, noise) is no goto.
    return ReadReply(context_.link, 1) == std::string(1, nexstar::kAck) ? GotoOutcome::Accepted : GotoOutcome::Refused;
}

bool NexStarProtocol::Sync(EquatorialPosition position) {
    if (Drive() == 8) return LegacyReady() && context_.link.SerialSend(NexStarLegacyCoordinateCommand(position));
    const char letter = Drive() == 15 ? 'F' : 'S';
    if (!SendCommand(NexStarCoordinateCommand(letter, position, NexStarPrecision::Short))) return false;
    const bool answered = !ReadReply(context_.link, 1).empty();
    context_.link.SerialDrain();
    return answered;
}

// The rate goes out with each motion command.
bool NexStarProtocol::SetRate(ScopeRate) { return true; }

bool NexStarProtocol::Move(ScopeDirection direction) {
    switch (Drive()) {
        case 9: return context_.link.SerialSend(NexStarOldGtMove(direction, NexStarFixedRate(context_.rate)));
        case 10:
        case 20:
            return SendAcknowledged(NexStarMovePacket(direction, NexStarFixedRate(context_.rate)), nexstar::kNoAckMove);
        default: return true;
    }
}

bool NexStarProtocol::StopAxis(ScopeDirection direction) {
    // A halt is a positive slew at rate 0 on the axis.
    const ScopeDirection positive =
        direction == ScopeDirection::South ? ScopeDirection::North
                                           : direction == ScopeDirection::East ? ScopeDirection::West : direction;
    switch (Drive()) {
        case 9: return context_.link.SerialSend(NexStarOldGtStopAxis());
        case 10:
        case 20: return SendAcknowledged(NexStarMovePacket(positive, 0), nexstar::kNoAckMove);
        default: return true;
    }
}

bool NexStarProtocol::Stop() {
    if (Drive() == 9) return context_.link.SerialSend(NexStarOldGtStop());
    return SendAcknowledged(nexstar::kStop, nexstar::kNoAckStop);
}

bool NexStarProtocol::SendCommand(std::string_view command) {
    if (!context_.link.SerialSend(command)) return false;
    return Drive() != 15 || context_.link.SerialSend(nexstar::kReturn);
}

bool NexStarProtocol::LegacyReady() {
    return context_.link.SerialSend(nexstar::kLegacyEcho) && AcceptsNexStarEcho(8, ReadReply(context_.link, 1));
}

// The SkyScan EQ6 is not known to acknowledge; its silence is not reported.
bool NexStarProtocol::SendAcknowledged(std::string_view command, std::string_view message) {
    if (!context_.link.SerialSend(command)) return false;
    const std::string reply = ReadReply(context_.link, 1);
    if (reply != std::string(1, nexstar::kAck) && Drive() != 20) context_.sink.InfoBox(message, "");
    return true;
}


}  // namespace vsp
