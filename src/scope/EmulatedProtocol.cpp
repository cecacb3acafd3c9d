#include "scope/EmulatedProtocol.h"

#include "scope/MountLink.h"

namespace vsp {

EmulatedProtocol::EmulatedProtocol(const MountContext& context, bool axesFollowOutputType)
    : context_(context), axesFollowOutputType_(axesFollowOutputType) {}

bool EmulatedProtocol::ReadPosition(EquatorialPosition& out) {
    out = context_.mount.Step();
    if (!HorizontalReading()) return true;
    const HorizontalPlace seen = HorizontalOf(context_.clock(), out);
    out = {seen.azimuth, seen.altitude};
    return true;
}

GotoOutcome EmulatedProtocol::Goto(EquatorialPosition target) {
    if (!axesFollowOutputType_) {
        context_.mount.Goto(target);
        return GotoOutcome::Accepted;
    }
    const HorizontalPlace axes = AxisTarget(context_, target);
    context_.mount.Goto(context_.prefs.scopeOutputType == 0 ? EquatorialPosition{axes.azimuth / 15, axes.altitude}
                                                           : EquatorialOf(context_.clock(), axes));
    return GotoOutcome::Accepted;
}

bool EmulatedProtocol::Sync(EquatorialPosition position) {
    context_.mount.Sync(position);
    return true;
}

bool EmulatedProtocol::SetRate(ScopeRate rate) {
    context_.mount.SetRate(rate);
    return true;
}

bool EmulatedProtocol::Move(ScopeDirection direction) {
    context_.mount.Move(direction);
    return true;
}

bool EmulatedProtocol::StopAxis(ScopeDirection) { return Stop(); }

bool EmulatedProtocol::Stop() {
    context_.mount.Stop();
    return true;
}

}  // namespace vsp
