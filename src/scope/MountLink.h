#pragma once
// What every mount protocol does the same way over the serial link: the connect that opens
// the port and runs the family's handshake, and the reading of one reply.

#include <functional>
#include <string>
#include <string_view>

#include "platform/InfoSink.h"
#include "scope/SerialLink.h"

namespace vsp {

// True at once while the link emulates or is open. Otherwise opens `port` at `baud` ("Fail
// to open serial connection" when it cannot) and runs `handshake` with the busy indicator
// up; a failed handshake shows `refusal` and gives the port back.
bool ConnectMount(SerialLink& link, InfoSink& sink, int port, int baud, const std::function<bool()>& handshake,
                  std::string_view refusal);
// Up to `maximum` bytes, fewer when the device falls silent first.
std::string ReadReply(SerialLink& link, size_t maximum);

}  // namespace vsp
