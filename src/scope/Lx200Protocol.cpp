#include "scope/Lx200Protocol.h"

#include <string>

#include "scope/MountLink.h"

namespace vsp {

namespace {

// Every family talks at 9600 baud unless its own handler says otherwise.
constexpr int kLx200Baud = 9600;

}  // namespace

Lx200Protocol::Lx200Protocol(const MountContext& context) : context_(context) {}

bool Lx200Protocol::Connect() {
    return ConnectMount(context_.link, context_.sink, context_.link.ScopePort(), kLx200Baud,
                        [this] { return Handshake(); },
                        lx200::kFailOpenMeade);
}

// The Meade controllers answer the declination, whose length tells the precision in use; the
// Magellan boxes answer their date.
bool Lx200Protocol::Handshake() {
    const DriveId drive = context_.prefs.scopeDrive;
    const bool magellan = InFamily(drive, DriveFamily::Lx200ReadOnly);
    if (!magellan && !InFamily(drive, DriveFamily::Lx200) && !InFamily(drive, DriveFamily::Lx200Gemini)) {
        context_.sink.InfoBox(lx200::kNotMeade, "");
        return false;
    }
    const std::string_view command = magellan ? lx200::kGetDateHandshake : lx200::kGetDecHandshake;
    if (!context_.link.SerialSend(command)) return false;
    const size_t maximum = magellan ? lx200::kDateReplyLength : lx200::kHandshakeReplyMax;
    const Lx200Handshake result = EvaluateLx200Handshake(drive, ReadReply(context_.link, maximum).size());
    if (result.longPrecision) precision_ = Lx200Precision::Long;
    return result.connected;
}

void Lx200Protocol::Disconnect() { context_.link.SerialClose(); }

bool Lx200Protocol::ReadPosition(EquatorialPosition& out) {
    out = {};
    if (!context_.link.SerialSend(lx200::kGetRa)) return false;
    const auto ra = ParseLx200Ra(ReadReply(context_.link, lx200::RaReplyLength(precision_)));
    if (!ra || !context_.link.SerialSend(lx200::kGetDec)) return false;
    const auto dec = ParseLx200Dec(ReadReply(context_.link, lx200::DecReplyLength(precision_)));
    if (!dec) return false;
    out = EquatorialPosition{*ra, *dec};
    return true;
}

GotoOutcome Lx200Protocol::Goto(EquatorialPosition target) {
    for (const std::string& command :
         Lx200GotoCommands(context_.prefs.scopeDrive, target.raHours, target.decDegrees, precision_)) {
        if (command == lx200::kSlew) break;
        // The Gemini's switch-on is not acknowledged.
        const bool sent = command == lx200::kGeminiOn ? SendReported(command) : SendAcknowledged(command);
        if (!sent) return GotoOutcome::NotSent;
    }
    if (!SendReported(lx200::kSlew)) return GotoOutcome::NotSent;
    const std::string first = ReadReply(context_.link, 1);
    // A refusal text ("1Object below horizon#"), or the noise after a byte that is no answer,
    // is read away so it cannot be taken for the answer to the next command.
    if (!first.empty()) ReadUntil(std::nullopt);
    return EvaluateSlewReply(first) == Lx200GotoReply::Accepted ? GotoOutcome::Accepted : GotoOutcome::Refused;
}

bool Lx200Protocol::Sync(EquatorialPosition position) {
    for (const std::string& command :
         Lx200SyncCommands(position.raHours, position.decDegrees, precision_)) {
        if (command == lx200::kSync) break;
        if (!SendAcknowledged(command)) return false;
    }
    if (!SendReported(lx200::kSync)) return false;
    ReadUntil('#');
    return true;
}

bool Lx200Protocol::SetRate(ScopeRate rate) {
    return context_.link.SerialSend(Lx200RateCommand(rate));
}

bool Lx200Protocol::Move(ScopeDirection direction) {
    return context_.link.SerialSend(Lx200MoveCommand(direction));
}

bool Lx200Protocol::StopAxis(ScopeDirection direction) {
    return context_.link.SerialSend(Lx200StopAxisCommand(direction));
}

bool Lx200Protocol::Stop() {
    return context_.link.SerialSend(lx200::kStop);
}

bool Lx200Protocol::SendAcknowledged(const std::string& command) {
    if (!SendReported(command)) return false;
    ReadReply(context_.link, 1);
    return true;
}

bool Lx200Protocol::SendReported(std::string_view command) {
    if (context_.link.SerialSend(command)) return true;
    context_.sink.InfoBox(lx200::kFailSend, command);
    return false;
}


void Lx200Protocol::ReadUntil(std::optional<char> last) {
    char byte = 0;
    for (int n = 0; n < SerialLink::kDrainLimitBytes && context_.link.SerialRead(&byte, 1) == 1; ++n) {
        if (byte == last) return;
    }
}

}  // namespace vsp
