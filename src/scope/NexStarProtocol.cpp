#include "scope/NexStarProtocol.h"

#include "scope/MountLink.h"

namespace vsp {
namespace {

constexpr int kNexStarBaud = 9600;

}  // namespace

NexStarProtocol::NexStarProtocol(const MountContext& context) : context_(context) {}

bool NexStarProtocol::Connect() {
    return ConnectMount(context_.link, context_.sink, context_.link.ScopePort(), kNexStarBaud,
                        [this] { return Handshake(); }, nexstar::kFailOpenNexStar);
}

bool NexStarProtocol::Handshake() {
    const std::optional<NexStarModel> model = FindNexStarModel(Drive());
    if (model && model->framing != 0 && !context_.link.SerialReconfigure(model->framing)) return false;
    if (!model) {
        context_.sink.InfoBox(nexstar::kNotNexStar, "");
        return false;
    }
    if (model->legacy) return LegacyReady();
    return SendCommand(nexstar::kEcho) && AcceptsNexStarEcho(Drive(), ReadReply(context_.link, 2));
}

void NexStarProtocol::Disconnect() { context_.link.SerialClose(); }

bool NexStarProtocol::ReadPosition(EquatorialPosition& out) {
    out = {};
    std::optional<NexStarAngles> angles;
    if (Model().legacy) {
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
    if (Model().legacy) {
        if (!LegacyReady()) return GotoOutcome::Refused;
        return context_.link.SerialSend(NexStarLegacyCoordinateCommand(target)) ? GotoOutcome::Accepted
                                                                                 : GotoOutcome::NotSent;
    }
    if (!SendCommand(NexStarCoordinateCommand('R', target, NexStarPrecision::Short))) return GotoOutcome::NotSent;
    // The hand controller acknowledges with '#'; anything else (silence, noise) is no goto.
    return ReadReply(context_.link, 1) == std::string(1, nexstar::kAck) ? GotoOutcome::Accepted : GotoOutcome::Refused;
}

bool NexStarProtocol::Sync(EquatorialPosition position) {
    const NexStarModel model = Model();
    if (model.legacy) return LegacyReady() && context_.link.SerialSend(NexStarLegacyCoordinateCommand(position));
    if (!SendCommand(NexStarCoordinateCommand(model.syncLetter, position, NexStarPrecision::Short))) return false;
    const bool answered = !ReadReply(context_.link, 1).empty();
    context_.link.SerialDrain();
    return answered;
}

// The rate goes out with each motion command.
bool NexStarProtocol::SetRate(ScopeRate) { return true; }

bool NexStarProtocol::Move(ScopeDirection direction) {
    const int rate = NexStarFixedRate(context_.rate);
    switch (Model().motion) {
        case NexStarMotion::OldGt: return context_.link.SerialSend(NexStarOldGtMove(direction, rate));
        case NexStarMotion::PassThrough: return SendAcknowledged(NexStarMovePacket(direction, rate), nexstar::kNoAckMove);
        case NexStarMotion::None: return true;
    }
    return true;
}

bool NexStarProtocol::StopAxis(ScopeDirection direction) {
    // A halt is a positive slew at rate 0 on the axis.
    const ScopeDirection positive =
        direction == ScopeDirection::South ? ScopeDirection::North
                                           : direction == ScopeDirection::East ? ScopeDirection::West : direction;
    switch (Model().motion) {
        case NexStarMotion::OldGt: return context_.link.SerialSend(NexStarOldGtStopAxis());
        case NexStarMotion::PassThrough: return SendAcknowledged(NexStarMovePacket(positive, 0), nexstar::kNoAckMove);
        case NexStarMotion::None: return true;
    }
    return true;
}

bool NexStarProtocol::Stop() {
    if (Model().motion == NexStarMotion::OldGt) return context_.link.SerialSend(NexStarOldGtStop());
    return SendAcknowledged(nexstar::kStop, nexstar::kNoAckStop);
}

bool NexStarProtocol::SendCommand(std::string_view command) {
    if (!context_.link.SerialSend(command)) return false;
    return !Model().carriageReturn || context_.link.SerialSend(nexstar::kReturn);
}

bool NexStarProtocol::LegacyReady() {
    return context_.link.SerialSend(nexstar::kLegacyEcho) && AcceptsNexStarEcho(drive_code::kNexStar58, ReadReply(context_.link, 1));
}

bool NexStarProtocol::SendAcknowledged(std::string_view command, std::string_view message) {
    if (!context_.link.SerialSend(command)) return false;
    const std::string reply = ReadReply(context_.link, 1);
    if (reply != std::string(1, nexstar::kAck) && Model().acknowledgesMotion) context_.sink.InfoBox(message, "");
    return true;
}

}  // namespace vsp
