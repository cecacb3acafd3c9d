#pragma once
// The drive "INDI": a mount behind an INDI server, named by the scope port path
// "indi://HOST[:PORT]/DEVICE". The standard telescope properties of INDI's drivers are used:
// EQUATORIAL_EOD_COORD (RA hours and Dec degrees of date, as the other drives take them),
// ON_COORD_SET (TRACK or SLEW for a goto, SYNC), TELESCOPE_MOTION_NS/_WE with
// TELESCOPE_SLEW_RATE, TELESCOPE_ABORT_MOTION and TELESCOPE_PARK; the site and the clock are
// handed over as GEOGRAPHIC_COORD and TIME_UTC at connect. The device's own messages are
// shown through the program's message sink. Every answer is awaited for a bounded time.

#include <optional>
#include <string_view>
#include <vector>

#include "scope/IndiClient.h"
#include "scope/MountContext.h"
#include "scope/MountProtocol.h"

namespace vsp {

namespace indi_text {
inline constexpr std::string_view kBadPath = "The scope port is not an INDI address";
inline constexpr std::string_view kPathForm = "indi://HOST:PORT/DEVICE";
inline constexpr std::string_view kFailConnect = "Fail to connect to INDI server";
inline constexpr std::string_view kNoAnswer = "No answer from INDI server";
// A server says nothing of a device it does not have: told apart only from a device that
// defines some properties but not those needed.
inline constexpr std::string_view kNoProperties = "INDI device did not define its properties";
inline constexpr std::string_view kLost = "INDI connection lost";
inline constexpr std::string_view kLacks = "INDI device lacks %s";
inline constexpr std::string_view kRefused = "INDI device refused %s";
inline constexpr std::string_view kStaysParked = "INDI mount stays parked";
}  // namespace indi_text

// The time-outs of the INDI drives, milliseconds.
namespace indi_time {
inline constexpr int kConnectMs = 3000;     // the TCP connection
inline constexpr int kPropertiesMs = 5000;  // the device's CONNECTION definition
inline constexpr int kDeviceMs = 10000;     // the device's own connect and its properties
inline constexpr int kAnswerMs = 5000;      // the answer to one new value
inline constexpr int kQuietMs = 150;        // the end of a burst of definitions
}  // namespace indi_time

// An INDI device connected and its properties defined, for the mount and the camera alike:
// opens the server named by `path`, asks for the device's properties, switches CONNECTION on
// when it is off and waits for `needed` to be defined. Failures are shown on `sink`.
bool ConnectIndiDevice(IndiConnection& connection, std::string_view path, std::string_view needed, InfoSink& sink);
// Sends new values and waits for the server's answer to them; false (shown on `sink`) when
// the vector is not defined, the answer does not come in time or carries Alert. With
// `untilSettled` a Busy answer is waited out too.
bool SetIndiVector(IndiConnection& connection, std::string_view vector, const std::vector<IndiValue>& values,
                   InfoSink& sink, bool untilSettled = false);
// The device's messages that arrived: its warnings and errors as information boxes, its news
// as progress.
void ShowIndiMessages(IndiConnection& connection, InfoSink& sink);

class IndiProtocol : public MountProtocol {
public:
    explicit IndiProtocol(const MountContext& context);

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
    bool Connected();
    void HandOverSite();
    bool Unpark();
    bool SendCoordinates(EquatorialPosition position, std::string_view mode);

    MountContext context_;
    IndiConnection connection_;
};

}  // namespace vsp
