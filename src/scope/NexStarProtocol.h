#pragma once
// The Celestron NexStar family over the serial link: the NexStar 5 and 8 (binary positions,
// each exchange opened by "?"), the old NexStar GT (binary motion commands), the NexStar
// GPS, GT and CGE and the SkyScan EQ6 (motion through the motor pass-through), and the
// Ultima 2000 (every command closed by a carriage return, its own sync letter).

#include <string>

#include "platform/InfoSink.h"
#include "scope/MountContext.h"
#include "scope/MountProtocol.h"
#include "scope/NexStarCodec.h"
#include "scope/SerialLink.h"

namespace vsp {

class NexStarProtocol : public MountProtocol {
public:
    explicit NexStarProtocol(const MountContext& context);

    bool Connect() override;
    void Disconnect() override;
    bool ReadPosition(EquatorialPosition& out) override;
    GotoOutcome Goto(EquatorialPosition target) override;
    bool Sync(EquatorialPosition position) override;
    bool SetRate(ScopeRate rate) override;
    bool Move(ScopeDirection direction) override;
    bool StopAxis(ScopeDirection direction) override;
    bool Stop() override;

private:
    DriveId Drive() const { return context_.prefs.scopeDrive; }
    // The dispatcher sends only the NexStar family here; another drive is taken for a GPS.
    NexStarModel Model() const { return FindNexStarModel(Drive()).value_or(NexStarModel{}); }
    bool Handshake();
    // Sends a command, then the Ultima 2000's carriage return.
    bool SendCommand(std::string_view command);
    // The NexStar 5 and 8 answer "?" with one byte before each exchange.
    bool LegacyReady();
    // A packet and its acknowledgement, missing ones reported with `message` unless the model
    // is not known to acknowledge.
    bool SendAcknowledged(std::string_view command, std::string_view message);

    MountContext context_;
};

}  // namespace vsp
