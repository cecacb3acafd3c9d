#pragma once
// The SiderealTech servo controller (drive 18) over the serial link at 19200 baud: encoder
// resolutions read at the first connect, axis positions and targets in counts, slew speeds.
// Reads the mount's axes as RA/Dec (output type 0) or as azimuth/altitude. The X axis carries
// the altitude (or Dec), the Y axis the azimuth (or RA).

#include <cstdint>
#include <optional>
#include <string_view>

#include "scope/MountContext.h"
#include "scope/MountProtocol.h"

namespace vsp {

namespace sidereal_tech {
// A speed of this many units per count of an axis's resolution turns it at a degree per
// second.
inline constexpr double kSpeedPerDegreePerSecond = 0.09321272116971041;
// A motion target far beyond any limit: the axis runs until told to stop.
inline constexpr int32_t kEndlessTarget = 1073741824;
}  // namespace sidereal_tech

class SiderealTechProtocol : public MountProtocol {
public:
    explicit SiderealTechProtocol(const MountContext& context);

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
    // Asks the resolutions unless both are known; true when neither is 0.
    bool ReadResolutions();
    // A resolution as asked by `command`; one below 1 is reported with `wrong`.
    int32_t AskResolution(std::string_view command, std::string_view wrong);
    // The count after the reply's first character, nothing when the reply is empty.
    std::optional<int32_t> AskCount(std::string_view command);
    // Sends `second` only once `first` went out.
    bool SendInOrder(std::string_view first, std::string_view second);

    MountContext context_;
    int32_t altitudeResolution_ = 0;  // counts per turn, kept for the run once read
    int32_t azimuthResolution_ = 0;
};

}  // namespace vsp
