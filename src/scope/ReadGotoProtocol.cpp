#include "scope/ReadGotoProtocol.h"

#include "scope/MountLink.h"

namespace vsp {
namespace {

constexpr int kBaud = 9600;

}  // namespace

bool ReadGotoProtocol::Connect() {
    // Nothing to shake hands with: the refusal can never be shown.
    return ConnectMount(context_.link, context_.sink, context_.link.ScopePort(), kBaud, [] { return true; }, "");
}

void ReadGotoProtocol::Disconnect() { context_.link.SerialClose(); }

bool ReadGotoProtocol::ReadPosition(EquatorialPosition& out) {
    out = {};
    return ReadMount(out);
}

GotoOutcome ReadGotoProtocol::Goto(EquatorialPosition target) { return GotoMount(target); }

bool ReadGotoProtocol::Sync(EquatorialPosition) { return true; }

// No motion of their own.
bool ReadGotoProtocol::SetRate(ScopeRate) { return true; }
bool ReadGotoProtocol::Move(ScopeDirection) { return true; }
bool ReadGotoProtocol::StopAxis(ScopeDirection) { return true; }
bool ReadGotoProtocol::Stop() { return true; }

}  // namespace vsp
