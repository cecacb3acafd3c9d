#pragma once
// What every mount protocol does the same way over the serial link: the connect that opens
// the port and runs the family's handshake, the reading of one reply, and the axis angles of
// a mount whose axes follow the output type.

#include <functional>
#include <string>
#include <string_view>

#include "platform/InfoSink.h"
#include "scope/MountContext.h"
#include "scope/SerialLink.h"

namespace vsp {

// True at once while the link is open. Otherwise opens `port` at `baud` ("Fail
// to open serial connection" when it cannot) and runs `handshake` with the busy indicator
// up; a failed handshake shows `refusal` and gives the port back.
bool ConnectMount(SerialLink& link, InfoSink& sink, int port, int baud, const std::function<bool()>& handshake,
                  std::string_view refusal);
// Up to `maximum` bytes, fewer when the device falls silent first.
std::string ReadReply(SerialLink& link, size_t maximum);
// The angles in degrees of the azimuth (or RA) and altitude (or Dec) axes for a target in the
// mount's frame: the target itself (RA x 15) for output type 0 or the two-star method, else
// its place in the sky at the clock's moment.
HorizontalPlace AxisTarget(const MountContext& context, EquatorialPosition target);

}  // namespace vsp
