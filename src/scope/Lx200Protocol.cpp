#include "scope/Lx200Protocol.h"

#include <string>

#include "scope/MountLink.h"

namespace vsp {

namespace {

// Every family talks at 9600 baud unless its own handler says otherwise.
constexpr int kLx200Baud = 9600;

}  // namespace

Lx200Protocol::Lx200Protocol(const Preferences& prefs, SerialLink& link, InfoSink& sink,
                             EmulatedMount& mount)
    : prefs_(prefs), link_(link), sink_(sink), mount_(mount) {}

bool Lx200Protocol::Connect() {
    return ConnectMount(link_, sink_, prefs_.scopePort, kLx200Baud, [this] { return Handshake(); },
                        lx200::kFailOpenMeade);
}

// The Meade controllers answer the declination, whose length tells the precision in use; the
// Magellan boxes answer their date.
bool Lx200Protocol::Handshake() {
    const DriveId drive = prefs_.scopeDrive;
    const bool magellan = drive == 6 || drive == 7;
    if (!magellan && drive != 2 && drive != 5 && drive != 17) {
        sink_.InfoBox(lx200::kNotMeade, "");
        return false;
    }
    const std::string_view command = magellan ? lx200::kGetDateHandshake : lx200::kGetDecHandshake;
    if (!link_.SerialSend(command)) return false;
    const size_t maximum = magellan ? lx200::kDateReplyLength : lx200::kHandshakeReplyMax;
    const Lx200Handshake result = EvaluateLx200Handshake(drive, ReadReply(link_, maximum).size());
    if (result.longPrecision) precision_ = Lx200Precision::Long;
    return result.connected;
}

void Lx200Protocol::Disconnect() {
    if (!link_.Emulating()) link_.SerialClose();
}

bool Lx200Protocol::ReadPosition(EquatorialPosition& out) {
    out = {};
    if (link_.Emulating()) {
        out = mount_.Step();
        return true;
    }
    if (!link_.SerialSend(lx200::kGetRa)) return false;
    const auto ra = ParseLx200Ra(ReadReply(link_, lx200::RaReplyLength(precision_)));
    if (!ra || !link_.SerialSend(lx200::kGetDec)) return false;
    const auto dec = ParseLx200Dec(ReadReply(link_, lx200::DecReplyLength(precision_)));
    if (!dec) return false;
    out = EquatorialPosition{*ra, *dec};
    return true;
}

GotoOutcome Lx200Protocol::Goto(EquatorialPosition target) {
    if (link_.Emulating()) {
        mount_.Goto(target);
        return GotoOutcome::Accepted;
    }
    for (const std::string& command :
         Lx200GotoCommands(prefs_.scopeDrive, target.raHours, target.decDegrees, precision_)) {
        if (command == lx200::kSlew) break;
        // The Gemini's switch-on is not acknowledged.
        const bool sent = command == lx200::kGeminiOn ? SendReported(command) : SendAcknowledged(command);
        if (!sent) return GotoOutcome::NotSent;
    }
    if (!SendReported(lx200::kSlew)) return GotoOutcome::NotSent;
    const std::string first = ReadReply(link_, 1);
    // A refusal text ("1Object below horizon#"), or the noise after a byte that is no answer,
    // is read away so it cannot be taken for the answer to the next command.
    if (!first.empty()) ReadUntil(std::nullopt);
    return EvaluateSlewReply(first) == Lx200GotoReply::Accepted ? GotoOutcome::Accepted : GotoOutcome::Refused;
}

bool Lx200Protocol::Sync(EquatorialPosition position) {
    if (link_.Emulating()) {
        mount_.Sync(position);
        return true;
    }
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
    if (link_.Emulating()) {
        mount_.SetRate(rate);
        return true;
    }
    return link_.SerialSend(Lx200RateCommand(rate));
}

bool Lx200Protocol::Move(ScopeDirection direction) {
    if (link_.Emulating()) {
        mount_.Move(direction);
        return true;
    }
    return link_.SerialSend(Lx200MoveCommand(direction));
}

bool Lx200Protocol::StopAxis(ScopeDirection direction) {
    if (link_.Emulating()) {
        mount_.Stop();
        return true;
    }
    return link_.SerialSend(Lx200StopAxisCommand(direction));
}

bool Lx200Protocol::Stop() {
    if (link_.Emulating()) {
        mount_.Stop();
        return true;
    }
    return link_.SerialSend(lx200::kStop);
}

bool Lx200Protocol::SendAcknowledged(const std::string& command) {
    if (!SendReported(command)) return false;
    ReadReply(link_, 1);
    return true;
}

bool Lx200Protocol::SendReported(std::string_view command) {
    if (link_.SerialSend(command)) return true;
    sink_.InfoBox(lx200::kFailSend, command);
    return false;
}


void Lx200Protocol::ReadUntil(std::optional<char> last) {
    char byte = 0;
    for (int n = 0; n < SerialLink::kDrainLimitBytes && link_.SerialRead(&byte, 1) == 1; ++n) {
        if (byte == last) return;
    }
}

}  // namespace vsp
