#pragma once
// The one serial line that a mount, a setting-circle box or a GPS receiver hangs on, as the
// protocols use it: opened once and kept open across operations until something fails, a
// pause after every command so that the device can take it in, and the messages a user sees
// when the port cannot be used. Asking for port 0 (none) turns the protocols to their
// emulated devices.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/InfoSink.h"
#include "platform/PortList.h"
#include "platform/SerialPort.h"
#include "scope/LineTraffic.h"
#include "settings/Preferences.h"

namespace vsp {

class SerialLink {
public:
    // Waits the given milliseconds; a test may record the pauses instead.
    using Pause = std::function<void(int milliseconds)>;

    // The drive and the send delay are read from `prefs` at every send.
    SerialLink(const Preferences& prefs, InfoSink& sink, PortList ports = PortList(),
               Pause pause = nullptr);

    // 1 when the port is open at `baud`, eight data bits, no parity, one stop bit, no
    // handshake (at once if it already was open), 0 otherwise.
    int SerialOpen(int port, int baud);
    // Reframes the open port. Bit 0: two stop bits; bit 1: parity checked; bit 2: even
    // parity; bit 5: RTS/CTS handshake. DTR and RTS are raised. 1 when applied; otherwise
    // the port is released.
    int SerialReconfigure(uint8_t flags);
    // Releases the port only when it is open and not to be kept open.
    void SerialClose();
    // Discards what the device sent unasked, writes `bytes`, then pauses for the drive.
    int SerialSend(std::string_view bytes);
    // The number of bytes read into `buffer`; 0 when the port is closed.
    int SerialRead(char* buffer, int maximum);
    // Reads until the line falls quiet, then discards what is pending either way.
    void SerialDrain();
    // The most bytes one drain discards (about a second at 19200 baud).
    static constexpr int kDrainLimitBytes = 2048;
    bool SerialIsOpen() const { return port_.IsOpen(); }
    // Every open sets it and every failure of the line clears it; a protocol clears it when
    // its handshake fails, so that its close releases the port.
    void SetKeepOpen(int keep) { keepOpen_ = keep; }
    std::string PortName(int port) { return ports_.Name(port); }
    // The port indexes the settings choose, found by their kept paths.
    int ScopePort() { return ports_.Chosen(prefs_.scopePort, prefs_.scopePortPath); }
    int GpsPort() { return ports_.Chosen(prefs_.gpsPort, prefs_.gpsPortPath); }
    PortList& Ports() { return ports_; }
    // Where the link's messages go, for the readings that do without the serial line.
    InfoSink& Messages() { return sink_; }

    // Told when a protocol begins and ends waiting on a device's handshake, so that a window
    // can show it is busy meanwhile.
    using BusyIndicator = std::function<void(bool busy)>;
    void SetBusyIndicator(BusyIndicator indicator) { busy_ = std::move(indicator); }
    void ShowBusy(bool busy) const {
        if (busy_) busy_(busy);
    }
    // A protocol's own wait for a slow device, through the pause a test may skip.
    void Wait(int milliseconds) const { pause_(milliseconds); }
    // On when the protocols answer from an emulated device instead of the port.
    bool Emulating() const { return emulating_; }
    void SetEmulating(bool on) { emulating_ = on; }
    // What went over the line lately, for the window that shows it.
    const LineTraffic& Traffic() const { return traffic_; }

private:
    const Preferences& prefs_;
    InfoSink& sink_;
    PortList ports_;
    Pause pause_;
    BusyIndicator busy_;
    SerialPort port_;
    SerialFraming framing_;
    int keepOpen_ = 0;
    bool emulating_ = false;
    LineTraffic traffic_;
};

}  // namespace vsp
