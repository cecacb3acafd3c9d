#pragma once
// The protocol every mount family answers with while the link emulates: the emulated mount
// reads, slews, syncs and moves in place of the device, and connects and disconnects at once.
// A mount whose axes follow the output type (the SiderealTech) reads azimuth and altitude
// unless the type is 0, and its gotos go through the same axis angles as the device's; the
// emulated mount itself keeps RA and Dec.

#include "scope/MountContext.h"
#include "scope/MountProtocol.h"

namespace vsp {

class EmulatedProtocol : public MountProtocol {
public:
    EmulatedProtocol(const MountContext& context, bool axesFollowOutputType);

    bool Connect() override { return true; }
    void Disconnect() override {}
    bool ReadPosition(EquatorialPosition& out) override;
    GotoOutcome Goto(EquatorialPosition target) override;
    bool Sync(EquatorialPosition position) override;
    bool SetRate(ScopeRate rate) override;
    bool Move(ScopeDirection direction) override;
    bool StopAxis(ScopeDirection direction) override;
    bool Stop() override;

private:
    bool HorizontalReading() const { return axesFollowOutputType_ && context_.prefs.scopeOutputType != 0; }

    MountContext context_;
    bool axesFollowOutputType_;
};

}  // namespace vsp
