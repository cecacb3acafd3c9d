#pragma once
// The Takahashi controller (drive 14) over the serial link at 19200 baud, every command closed by
// CR LF: the version handshake, the site set-up handed over once per run (sidereal time,
// latitude, the pier side asked of the user and the zenith routine), positions, gotos, syncs
// and the motions that stop unless repeated.

#include <optional>
#include <string_view>

#include "scope/MountContext.h"
#include "scope/MountProtocol.h"
#include "scope/TakahashiCodec.h"

namespace vsp {

class TakahashiProtocol : public MountProtocol {
public:
    explicit TakahashiProtocol(const MountContext& context);

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
    bool Handshake();
    bool SiteKnown() const { return siteSent_ || context_.siteKept; }
    // Sidereal time, latitude, the user asked on which side of the pier the mount stands, and
    // the zenith routine.
    void SetUpSite();
    void RunZenithRoutine(char side);
    bool SendSiderealTime();
    bool SendLatitude();
    // The position and pier status the controller reports.
    std::optional<TakahashiReading> ReadReading();
    // A goto's or a sync's coordinates and the controller's verdict, told to the user when it
    // is a refusal ("Goto" or "Sync" named); nullopt when no verdict came.
    std::optional<TakahashiCoordinateReply> SendCoordinates(char letter, EquatorialPosition target,
                                                            std::string_view operation);

    MountContext context_;
    // The site set-up, and with it the pier side question, happen once in the protocol's life.
    bool siteSent_ = false;
};

}  // namespace vsp
