#include "scope/ReadGotoProtocol.h"

#include "scope/MountLink.h"

namespace vsp {
namespace {

constexpr int kBaud = 9600;

}  // namespace

bool ReadGotoProtocol::Connect() {
    // Nothing to shake hands with: the refusal can never be shown.
    return ConnectMount(context_.link, context_.sink, context_.prefs.scopePort, kBaud, [] { return true; }, "");
}

void ReadGotoProtocol::Disconnect() {
    if (!context_.link.Emulating()) context_.link.SerialClose();
}

bool ReadGotoProtocol::ReadPosition(EquatorialPosition& out) {
    out = {};
    if (!context_.link.Emulating()) return ReadMount(out);
    out = context_.mount.Step();
    return true;
}

GotoOutcome ReadGotoProtocol::Goto(EquatorialPosition target) {
    if (!context_.link.Emulating()) return GotoMount(target);
    context_.mount.Goto(target);
    return GotoOutcome::Accepted;
}

bool ReadGotoProtocol::Sync(EquatorialPosition) { return true; }

bool ReadGotoProtocol::SetRate(ScopeRate rate) {
    if (context_.link.Emulating()) context_.mount.SetRate(rate);
    return true;
}

bool ReadGotoProtocol::Move(ScopeDirection direction) {
    if (context_.link.Emulating()) context_.mount.Move(direction);
    return true;
}

bool ReadGotoProtocol::StopAxis(ScopeDirection) { return Stop(); }

bool ReadGotoProtocol::Stop() {
    if (context_.link.Emulating()) context_.mount.Stop();
    return true;
}

}  // namespace vsp
