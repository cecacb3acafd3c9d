#include "platform/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

#include "platform/TcpSocket.h"

namespace vsp {

namespace {

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

long long DeadlineMs(int perByteMs, int constantMs, size_t count) {
    return NowMs() + (long long)perByteMs * (long long)count + constantMs;
}

speed_t SpeedOf(int baud) {
    switch (baud) {
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 9600: return B9600;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        default: return B0;
    }
}

// True when the device became ready for `events` (or reported a hang-up or an error, which
// the next read or write then tells) within `waitMs`.
bool WaitFor(int fd, short events, long long waitMs) {
    pollfd p{fd, events, 0};
    for (;;) {
        const long long start = NowMs();
        const int n = poll(&p, 1, int(std::clamp(waitMs, 0LL, 1LL << 30)));
        if (n >= 0) return n > 0;
        if (errno != EINTR) return false;
        waitMs -= NowMs() - start;
    }
}

// The Unix 98 pseudo-terminal slaves (/dev/pts/N) have the majors 136 to 143.
bool IsPseudoTerminal(int fd) {
    struct stat device {};
    return fstat(fd, &device) == 0 && S_ISCHR(device.st_mode) && major(device.st_rdev) >= 136 &&
           major(device.st_rdev) <= 143;
}

void SetLine(int fd, int line, bool raised) {
    // A device without modem lines (a pseudo-terminal, some USB adapters) refuses; it has
    // nothing to set.
    ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &line);
}

}  // namespace

SerialPort::~SerialPort() { Close(); }

bool SerialPort::OpenTcp(std::string_view address) {
    const std::optional<TcpAddress> at = ParseTcpAddress(address, kMountTcpPort);
    if (!at) {
        errno = EADDRNOTAVAIL;
        return false;
    }
    fd_ = TcpConnect(*at, kTcpConnectMs);
    socket_ = fd_ >= 0;
    return socket_;
}

bool SerialPort::Open(const std::string& path) {
    Close();
    if (IsTcpPath(path)) return OpenTcp(std::string_view(path).substr(kTcpScheme.size()));
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // The lock keeps out every other open through this class, even by root, and goes with the
    // descriptor however the process ends. The exclusive mode also keeps out programs that do
    // not lock, but it belongs to the terminal: it lasts until every descriptor of it is closed.
    // A pseudo-terminal stays open at its other end (an emulator, socat), so there it would
    // outlive a killed process and lock everyone out; it is set on real lines only.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        close(fd);
        errno = code;
        return false;
    }
    exclusive_ = !IsPseudoTerminal(fd) && ioctl(fd, TIOCEXCL) == 0;  // fails on a device that is not a terminal
    fd_ = fd;
    return true;
}

FramingResult SerialPort::SetFraming(const SerialFraming& framing) {
    if (socket_) return FramingResult::Applied;
    termios t;
    if (tcgetattr(fd_, &t) != 0) return FramingResult::Unreadable;
    const speed_t speed = SpeedOf(framing.baud);
    if (speed == B0) {
        errno = EINVAL;
        return FramingResult::Rejected;
    }
    cfmakeraw(&t);
    t.c_iflag &= ~(IXOFF | IXANY | INPCK);
    if (framing.checkParity) t.c_iflag |= INPCK;
    t.c_cflag &= ~(CSTOPB | PARENB | PARODD | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD;
    if (framing.twoStopBits) t.c_cflag |= CSTOPB;
    if (framing.evenParity) t.c_cflag |= PARENB;
    if (framing.ctsFlow) t.c_cflag |= CRTSCTS;
    // With one byte asked for, a read of the non-blocking descriptor tells "nothing yet"
    // (EAGAIN) apart from a hang-up (0); the waiting is done by poll.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    if (cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0 ||
        tcsetattr(fd_, TCSANOW, &t) != 0)
        return FramingResult::Rejected;
    SetLine(fd_, TIOCM_DTR, framing.dtr);
    SetLine(fd_, TIOCM_RTS, framing.rts);
    return FramingResult::Applied;
}

bool SerialPort::Write(std::string_view bytes) {
    const long long deadline =
        DeadlineMs(timeouts_.writePerByteMs, timeouts_.writeConstantMs, bytes.size());
    size_t sent = 0;
    while (sent < bytes.size()) {
        // A peer that closed its end must not end the program with SIGPIPE.
        const ssize_t n = socket_ ? send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL)
                                  : write(fd_, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        const long long wait = deadline - NowMs();
        if (wait <= 0) {
            errno = ETIMEDOUT;
            return false;
        }
        WaitFor(fd_, POLLOUT, wait);
    }
    // What the kernel took for a socket travels on its own; no line to wait on.
    return socket_ || WaitSent(deadline);
}

// tcdrain has no time-out: behind a CTS line held low it would wait for ever.
bool SerialPort::WaitSent(long long deadlineMs) {
    for (;;) {
        int pending = 0;
        if (ioctl(fd_, TIOCOUTQ, &pending) != 0 || pending == 0) return true;
        if (NowMs() >= deadlineMs) {
            errno = ETIMEDOUT;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

int SerialPort::Read(std::span<char> buffer) {
    const long long deadline =
        DeadlineMs(timeouts_.readPerByteMs, timeouts_.readConstantMs, buffer.size());
    size_t got = 0;
    while (got < buffer.size()) {
        const ssize_t n = read(fd_, buffer.data() + got, buffer.size() - got);
        if (n > 0) {
            got += size_t(n);
            continue;
        }
        if (n == 0) break;  // the other end is gone
        if (errno == EINTR) continue;
        if (errno != EAGAIN) return got > 0 ? int(got) : -1;
        long long wait = deadline - NowMs();
        if (got > 0) wait = std::min<long long>(wait, timeouts_.readIntervalMs);
        if (wait <= 0 || !WaitFor(fd_, POLLIN, wait)) break;
    }
    return int(got);
}

void SerialPort::Purge() {
    if (fd_ < 0) return;
    if (!socket_) {
        tcflush(fd_, TCIOFLUSH);
        return;
    }
    // A socket has no queues to flush: what has arrived is read away, without waiting.
    char discard[512];
    for (int n = 0; n < 64 && recv(fd_, discard, sizeof discard, MSG_DONTWAIT) > 0; ++n) {
    }
}

void SerialPort::Close() {
    if (fd_ < 0) return;
    if (exclusive_) ioctl(fd_, TIOCNXCL);  // another descriptor of the line would keep it otherwise
    exclusive_ = false;
    socket_ = false;
    close(fd_);
    fd_ = -1;
}

}  // namespace vsp
