#include "scope/SerialLink.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/Clock.h"
#include "platform/SystemError.h"
#include "platform/TcpSocket.h"
#include "scope/DriveTable.h"

namespace vsp {

namespace {

// The devices behind the link are slow to wake after their lines change.
constexpr int kSettleMs = 3500;
constexpr SerialTimeouts kTimeouts{.readIntervalMs = 400,
                                   .readPerByteMs = 1,
                                   .readConstantMs = 400,
                                   .writePerByteMs = 1,
                                   .writeConstantMs = 400};

void SleepFor(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// A send delay of 1..15 tenths of a second set by the user wins over the drive's own pause.
int SendPauseMs(DriveId drive, int sendDelay) {
    if (sendDelay >= 1 && sendDelay <= 15) return sendDelay * 100;
    return FindDrive(drive).value_or(DriveInfo{}).sendPauseMs;
}

}  // namespace

SerialLink::SerialLink(const Preferences& prefs, InfoSink& sink, PortList ports, Pause pause)
    : prefs_(prefs),
      sink_(sink),
      ports_(std::move(ports)),
      pause_(pause ? std::move(pause) : SleepFor) {}

int SerialLink::SerialOpen(int port, int baud) {
    if (port_.IsOpen()) return 1;
    keepOpen_ = 1;
    if (port < 0 || port >= ports_.Size()) return 0;
    if (port == 0) {
        if (!emulating_)
            sink_.InfoBox("No communication port is selected.\n",
                          "Please select one using Preference 1/6.");
        emulating_ = true;
        return 0;
    }
    const std::string name = ports_.Name(port);
    if (!port_.Open(name)) {
        const int code = LastSystemErrorCode();
        keepOpen_ = 0;
        std::string why;
        if (code == EBUSY || code == EWOULDBLOCK) {
            const std::string holder = DeviceHolder(name);
            why = holder.empty() ? " (busy)" : " (in use by " + holder + ")";
        } else if (IsTcpPath(name)) {
            why = " (" + SystemErrorText(code) + ")";  // refused, timed out, no such host
        }
        sink_.InfoBox("Can't open serial port", name + why);
        return 0;
    }
    framing_ = SerialFraming{.baud = baud, .checkParity = true};
    const FramingResult framed = port_.SetFraming(framing_);
    // A device without line settings is used as it is, but not kept open.
    if (framed != FramingResult::Applied) keepOpen_ = 0;
    if (framed == FramingResult::Rejected) {
        sink_.InfoBox("Can't set serial port parameters", "");
        port_.Close();
        return 0;
    }
    port_.SetTimeouts(kTimeouts);
    // A connection has no lines that changed.
    if (!IsTcpPath(name)) pause_(kSettleMs);
    return 1;
}

int SerialLink::SerialReconfigure(uint8_t flags) {
    if (!port_.IsOpen()) return 0;
    if (flags & 0x01) framing_.twoStopBits = true;
    framing_.checkParity = (flags & 0x02) != 0;
    if (flags & 0x04) framing_.evenParity = true;
    // An RTS handshake alone (bit 4) keeps RTS raised while there is room to receive, which a
    // Linux driver does only together with the CTS handshake: alone it is RTS raised.
    framing_.ctsFlow = (flags & 0x20) != 0;
    framing_.dtr = framing_.rts = true;
    if (port_.SetFraming(framing_) != FramingResult::Applied) {
        sink_.InfoBox("Can't set serial port parameters", "");
        keepOpen_ = 0;
        port_.Close();
        return 0;
    }
    return 1;
}

void SerialLink::SerialClose() {
    if (keepOpen_ == 0) port_.Close();
}

int SerialLink::SerialSend(std::string_view bytes) {
    if (!port_.IsOpen()) return 0;
    SerialDrain();
    if (!port_.Write(bytes)) {
        keepOpen_ = 0;
        return 0;
    }
    traffic_.Sent(bytes, LocalClockTime());
    pause_(SendPauseMs(prefs_.scopeDrive, prefs_.sendDelay));
    return 1;
}

int SerialLink::SerialRead(char* buffer, int maximum) {
    if (!port_.IsOpen() || maximum <= 0) return 0;
    const int got = std::max(port_.Read({buffer, size_t(maximum)}), 0);
    traffic_.Received({buffer, size_t(got)}, LocalClockTime());
    return got;
}

// Each read of one byte from a silent device waits one read time-out, so a send to a mount
// that does not answer begins with that pause. A device that never falls quiet (a wrong baud
// rate, a receiver streaming sentences) is cut off after a bounded number of bytes, so that
// it cannot hold the program.
void SerialLink::SerialDrain() {
    char byte;
    for (int n = 0; n < kDrainLimitBytes && SerialRead(&byte, 1) == 1; ++n) {
    }
    port_.Purge();
}

}  // namespace vsp
