#include "scope/EmulatorLoop.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/PseudoTerminal.h"

namespace vsp {
namespace {

using SteadyTime = std::chrono::steady_clock::time_point;

double SecondsBetween(SteadyTime from, SteadyTime to) { return std::chrono::duration<double>(to - from).count(); }

double UnixSecondsNow() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

}  // namespace

ServeEnd ServeEmulatedDevice(PseudoTerminal& port, const EmulatedDevice& device, std::optional<double> seconds,
                             const std::function<bool()>& stop) {
    const SteadyTime start = std::chrono::steady_clock::now();
    SteadyTime last = start;
    while (!stop()) {
        int waitMs = kServeStepMs;
        if (seconds) {
            const double left = *seconds - SecondsBetween(start, std::chrono::steady_clock::now());
            if (left <= 0) return ServeEnd::TimeUp;
            waitMs = std::min(waitMs, int(std::ceil(left * 1000)));
        }
        std::string bytes;
        const PortRead read = port.Read(bytes, waitMs);
        if (read == PortRead::Failed) return ServeEnd::PortFailed;
        const SteadyTime now = std::chrono::steady_clock::now();
        std::string out = device.tick(UnixSecondsNow(), SecondsBetween(last, now));
        last = now;
        if (read == PortRead::Bytes) out += device.receive(bytes);
        // With nobody there the bytes would wait in the line for the next client, stale.
        if (read != PortRead::NoClient && !out.empty() && !port.Write(out, kServeStepMs)) {
            return ServeEnd::PortFailed;
        }
    }
    return ServeEnd::Stopped;
}

}  // namespace vsp
