#pragma once
// Serves an emulated mount or receiver on a port: the client's bytes go to the device, its
// replies and what it says unprompted go back, and its clock keeps pace with the real one. A
// client that closes the port and opens it again is served again.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vsp {

class PseudoTerminal;

struct EmulatedDevice {
    // The device's answer to bytes from the client.
    std::function<std::string(std::string_view bytes)> receive;
    // The clock moved on: UTC now (seconds since 1970) and the seconds since the last call.
    // Gives what the device sends unprompted.
    std::function<std::string(double unixSeconds, double elapsedSeconds)> tick;
};

enum class ServeEnd { Stopped, TimeUp, PortFailed };

// The longest the loop goes without looking at `stop` and the clock.
inline constexpr int kServeStepMs = 100;

// Serves until `stop` answers true or, when `seconds` is given, that many seconds have passed.
ServeEnd ServeEmulatedDevice(PseudoTerminal& port, const EmulatedDevice& device, std::optional<double> seconds,
                             const std::function<bool()>& stop);

}  // namespace vsp
