#pragma once
// What the mounts that only report their position and take a goto target share: the port
// opened at 9600 baud with no handshake, no sync, and no motion of their own (rate, move and
// stop reach only the emulated mount).

#include "scope/MountContext.h"
#include "scope/MountProtocol.h"

namespace vsp {

class ReadGotoProtocol : public MountProtocol {
public:
    explicit ReadGotoProtocol(const MountContext& context) : context_(context) {}

    bool Connect() override;
    void Disconnect() override;
    bool ReadPosition(EquatorialPosition& out) override;
    GotoOutcome Goto(EquatorialPosition target) override;
    bool Sync(EquatorialPosition position) override;
    bool SetRate(ScopeRate rate) override;
    bool Move(ScopeDirection direction) override;
    bool StopAxis(ScopeDirection direction) override;
    bool Stop() override;

protected:
    // The exchanges with the real mount; `out` starts at zero.
    virtual bool ReadMount(EquatorialPosition& out) = 0;
    virtual GotoOutcome GotoMount(EquatorialPosition target) = 0;

    MountContext context_;
};

}  // namespace vsp
