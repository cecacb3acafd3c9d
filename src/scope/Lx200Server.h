#pragma once
// The program as an LX200 mount on the network, for planetarium programs and INDI's LX200
// drivers to drive a mount that only this program speaks to: the LX200 emulator's command
// parsing and replies, with position reads, gotos, syncs, motions and rates forwarded to the
// mount of the settings through the dispatcher (its drive, port and alignment; its emulated
// mount when no port is chosen). Positions are of date, as an LX200 mount takes and gives them.
// One client at a time, the next one once it has gone; a client that goes in the middle of a
// command or while a motion it started runs leaves the mount stopped (a goto it was answered
// for goes on to its target, as a mount does when its cable is pulled: planetarium programs
// often connect for one goto and close). Reads are answered from the mount's latest reading
// (renewed every 250 ms or as fast as the mount answers), so that a slow serial mount still
// answers within a client's time-outs.

#include <functional>
#include <optional>

#include "scope/EmulatorLoop.h"
#include "scope/ScopeDispatcher.h"

namespace vsp {

// Serves the clients of `listenFd` (a listening socket) until `stop` answers true or, when
// `seconds` is given, that many seconds have passed; a client still there then goes as above.
ServeEnd ServeLx200(int listenFd, ScopeDispatcher& dispatcher, std::optional<double> seconds,
                    const std::function<bool()>& stop);

}  // namespace vsp
