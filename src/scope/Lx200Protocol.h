#pragma once
// The LX200 family over the serial link: the Meade AutoStar and LX200, the Losmandy Gemini
// (the same commands, switched on during a goto) and the Magellan setting-circle computers,
// which only report where they point. Long or short coordinates follow what the mount's first
// handshake showed and hold from then on.

#include <optional>
#include <string>

#include "platform/InfoSink.h"
#include "scope/DriveTable.h"
#include "scope/Lx200Codec.h"
#include "scope/MountContext.h"
#include "scope/MountProtocol.h"
#include "scope/SerialLink.h"

namespace vsp {

class Lx200Protocol : public MountProtocol {
public:
    explicit Lx200Protocol(const MountContext& context);

    bool Connect() override;
    void Disconnect() override;
    bool ReadPosition(EquatorialPosition& out) override;
    GotoOutcome Goto(EquatorialPosition target) override;
    bool Sync(EquatorialPosition position) override;
    bool SetRate(ScopeRate rate) override;
    bool Move(ScopeDirection direction) override;
    bool StopAxis(ScopeDirection direction) override;
    bool Stop() override;

    Lx200Precision Precision() const { return precision_; }

private:
    bool Handshake();
    // Sends a coordinate command and takes the mount's one-byte acknowledgement.
    bool SendAcknowledged(const std::string& command);
    bool SendReported(std::string_view command);
    // Reads single bytes until `last` (when given) or silence; a silent end is not an error.
    void ReadUntil(std::optional<char> last);

    MountContext context_;
    Lx200Precision precision_ = Lx200Precision::Short;
};

}  // namespace vsp
