#pragma once
// Ctrl+C (SIGINT) and SIGTERM as a request to stop, for commands that serve until told to.

namespace vsp {

// From now on the two signals no longer end the process; they set the request and cut short
// the wait in progress (poll returns early).
void CatchStopSignals();
bool StopSignalled();

}  // namespace vsp
