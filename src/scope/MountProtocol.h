#pragma once
// What the drive dispatcher asks of the protocol of one mount family. Each family answers
// from the serial link; while the link emulates the dispatcher asks the emulated protocol
// instead. Positions are in the mount's own frame: right ascension in hours, declination in
// degrees.

#include "scope/EmulatedMount.h"
#include "scope/ScopeMotion.h"

namespace vsp {

// Accepted: the mount took the target and is slewing. Refused: it stayed silent, the
// dispatcher tells the user. NotSent: a command could not be written (already reported).
enum class GotoOutcome { Accepted, Refused, NotSent };

class MountProtocol {
public:
    virtual ~MountProtocol() = default;
    // True when the mount answered its handshake (at once while the link is already open).
    virtual bool Connect() = 0;
    virtual void Disconnect() = 0;
    virtual bool ReadPosition(EquatorialPosition& out) = 0;
    virtual GotoOutcome Goto(EquatorialPosition target) = 0;
    virtual bool Sync(EquatorialPosition position) = 0;
    // False when the command could not be sent.
    virtual bool SetRate(ScopeRate rate) = 0;
    virtual bool Move(ScopeDirection direction) = 0;
    virtual bool StopAxis(ScopeDirection direction) = 0;
    virtual bool Stop() = 0;
};

}  // namespace vsp
