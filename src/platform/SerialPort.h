#pragma once
// A serial device opened by path, for mounts, setting circles and GPS receivers: framing and
// handshake, writes that wait until the bytes have left, reads bounded in time. The one place
// that speaks termios. A path "tcp://HOST:PORT" (a Wi-Fi bridge, a serial server) opens a TCP
// connection instead, with the same reads, writes and time-outs, so that every protocol runs
// over it unchanged. Failures answer false (or -1) with LastSystemErrorCode() telling why.

#include <span>
#include <string>
#include <string_view>

namespace vsp {

// Always eight data bits.
struct SerialFraming {
    int baud = 9600;
    bool twoStopBits = false;
    bool evenParity = false;   // a parity bit is sent (even); none otherwise
    bool checkParity = false;  // a received byte with a parity error reads as 0
    bool ctsFlow = false;      // RTS/CTS hardware handshake
    bool dtr = false;          // the DTR line raised
    bool rts = false;          // the RTS line raised
};

// A read of n bytes waits at most perByte * n + constant in all and, once a byte has come,
// at most `readIntervalMs` for the next; a write, until its last byte has left, at most
// perByte * n + constant. Zero everywhere: reads take only what has already arrived.
struct SerialTimeouts {
    int readIntervalMs = 0;
    int readPerByteMs = 0;
    int readConstantMs = 0;
    int writePerByteMs = 0;
    int writeConstantMs = 0;
};

// Unreadable: the device has no line settings (not a terminal); nothing was changed.
enum class FramingResult { Applied, Unreadable, Rejected };

class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // An existing device, for this object alone: a second open through this class fails with
    // EWOULDBLOCK until Close or the end of the process, however it ends; other programs that
    // open a real serial line get EBUSY (its exclusive mode, which a pseudo-terminal does not
    // get because it would outlive a killed process there). DeviceHolder tells who holds it.
    // A "tcp://" path connects within kTcpConnectMs (port 4030 when none is given), failing
    // with ECONNREFUSED, ETIMEDOUT or EADDRNOTAVAIL.
    bool Open(const std::string& path);
    static constexpr int kTcpConnectMs = 3000;
    // A TCP connection has no framing: Applied, and nothing changes.
    FramingResult SetFraming(const SerialFraming& framing);
    void SetTimeouts(const SerialTimeouts& timeouts) { timeouts_ = timeouts; }
    // All bytes written and sent before the write time-out.
    bool Write(std::string_view bytes);
    // The number of bytes read before the read time-outs ran out, -1 on failure.
    int Read(std::span<char> buffer);
    // Discards what was received and not read, and what was written and not yet sent.
    void Purge();
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

private:
    bool WaitSent(long long deadlineMs);
    bool OpenTcp(std::string_view address);

    int fd_ = -1;
    bool socket_ = false;     // a TCP connection, not a device
    bool exclusive_ = false;  // the line's exclusive mode set by Open
    SerialTimeouts timeouts_;
};

// The processes that hold the device at `path`, found through /proc: its lock holder
// (/proc/locks), else the processes with it open that this user may see; "process 1234
// (vespertar)", several joined by ", ", empty when none is found.
std::string DeviceHolder(const std::string& path);

}  // namespace vsp
