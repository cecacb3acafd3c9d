#include "scope/TakahashiProtocol.h"

#include "scope/MountLink.h"

namespace vsp {
namespace {

constexpr int kTakahashiBaud = 19200;
// 8 data bits, even parity checked, the RTS and CTS handshake: the framing of the
// controller's first port.
constexpr uint8_t kTakahashiFraming = 246;
constexpr int kFramedPort = 1;
// A controller stuck in its zenith routine must not hold the program for ever.
constexpr int kZenithReadsMax = 100;

}  // namespace

TakahashiProtocol::TakahashiProtocol(const MountContext& context) : context_(context) {}

bool TakahashiProtocol::Connect() {
    return ConnectMount(context_.link, context_.sink, context_.link.ScopePort(), kTakahashiBaud,
                        [this] { return Handshake(); }, takahashi::kFailOpen);
}

bool TakahashiProtocol::Handshake() {
    SerialLink& link = context_.link;
    if (link.ScopePort() == kFramedPort && !link.SerialReconfigure(kTakahashiFraming)) {
        context_.sink.InfoBox(takahashi::kFailFraming, "");
        return false;
    }
    if (!link.SerialSend(takahashi::kVersion)) return false;
    const std::string version = ReadReply(link, takahashi::kVersionReplyMax);
    if (version.size() < takahashi::kVersionReplyMin || version[0] != 'v') return false;
    if (!SiteKnown()) SetUpSite();
    return true;
}

void TakahashiProtocol::SetUpSite() {
    SendSiderealTime();
    SendLatitude();
    const bool east = !context_.ask || context_.ask(takahashi::kPierQuestion);
    RunZenithRoutine(east ? takahashi::kPierEast : takahashi::kPierWest);
    siteSent_ = true;
}

// The controller is told it points at the zenith, and turned over when it stands on the
// other side of the pier than the user said; then told the zenith again.
void TakahashiProtocol::RunZenithRoutine(char side) {
    SerialLink& link = context_.link;
    if (!SendSiderealTime() || !link.SerialSend(takahashi::kZenith)) return;
    std::optional<TakahashiReading> reading;
    for (int read = 0; read < kZenithReadsMax; ++read) {
        if (!(reading = ReadReading())) return;
        if (reading->pier != takahashi::kPierChanging) break;
    }
    if (reading->pier == takahashi::kPierChanging) return;
    if (reading->pier != side && !link.SerialSend(takahashi::kChangeSide)) return;
    if (SendSiderealTime()) link.SerialSend(takahashi::kZenith);
}

bool TakahashiProtocol::SendSiderealTime() {
    return context_.link.SerialSend(TakahashiSiderealTimeCommand(LocalSiderealHours(context_.clock())));
}

bool TakahashiProtocol::SendLatitude() {
    return context_.link.SerialSend(TakahashiLatitudeCommand(context_.clock().settings.location.latitude));
}

void TakahashiProtocol::Disconnect() { context_.link.SerialClose(); }

std::optional<TakahashiReading> TakahashiProtocol::ReadReading() {
    if (!context_.link.SerialSend(takahashi::kGetPosition)) return std::nullopt;
    return ParseTakahashiPosition(ReadReply(context_.link, takahashi::kPositionReplyMax));
}

bool TakahashiProtocol::ReadPosition(EquatorialPosition& out) {
    out = {};
    const std::optional<TakahashiReading> reading = ReadReading();
    if (!reading) return false;
    out = reading->position;
    return true;
}

std::optional<TakahashiCoordinateReply> TakahashiProtocol::SendCoordinates(char letter, EquatorialPosition target,
                                                                           std::string_view operation) {
    if (!SiteKnown()) {
        SendLatitude();
        siteSent_ = true;
    }
    SendSiderealTime();
    if (!context_.link.SerialSend(TakahashiCoordinateCommand(letter, target))) return std::nullopt;
    const std::string reply = ReadReply(context_.link, takahashi::kCoordinateReplyLength);
    if (reply.size() < takahashi::kCoordinateReplyLength) {
        context_.sink.InfoBox(takahashi::kNoResponse, "");
        return std::nullopt;
    }
    const auto verdict = TakahashiCoordinateReply(reply[1]);
    std::string_view refusal;
    switch (verdict) {
        case TakahashiCoordinateReply::Accepted: return verdict;
        case TakahashiCoordinateReply::WrongRa: refusal = "Takahashi\nWrong ra in "; break;
        case TakahashiCoordinateReply::WrongDec: refusal = "Takahashi\nWrong dec in "; break;
        case TakahashiCoordinateReply::TooManyDigits: refusal = "Takahashi\nToo many digits in "; break;
        default: return std::nullopt;
    }
    context_.sink.InfoBox(std::string(refusal) + std::string(operation) + ".", "");
    return verdict;
}

// A refusal the controller gave is told to the user and counts as answered, as an acceptance does.
GotoOutcome TakahashiProtocol::Goto(EquatorialPosition target) {
    const auto verdict = SendCoordinates('P', target, "Goto");
    if (!verdict) return GotoOutcome::Refused;
    if (*verdict == TakahashiCoordinateReply::Accepted) context_.link.SerialSend(takahashi::kStartOrHaltSlew);
    return GotoOutcome::Accepted;
}

bool TakahashiProtocol::Sync(EquatorialPosition position) {
    return SendCoordinates('D', position, "Sync").has_value();
}

// The rate goes out with each motion command.
bool TakahashiProtocol::SetRate(ScopeRate) { return true; }

bool TakahashiProtocol::Move(ScopeDirection direction) {
    return context_.link.SerialSend(TakahashiMoveCommand(direction, context_.rate == ScopeRate::Guide));
}

bool TakahashiProtocol::StopAxis(ScopeDirection) {
    return context_.link.SerialSend(takahashi::kStopAxis);
}

bool TakahashiProtocol::Stop() {
    SerialLink& link = context_.link;
    const bool sent = link.SerialSend(takahashi::kStartOrHaltSlew) && link.SerialSend(takahashi::kStopMotors);
    link.SerialDrain();
    return sent;
}

}  // namespace vsp
