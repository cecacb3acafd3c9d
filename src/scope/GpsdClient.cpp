#include "scope/GpsdClient.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <string>

#include "platform/TcpSocket.h"
#include "scope/GpsdReport.h"

namespace vsp {

namespace {

constexpr std::string_view kWatch = "?WATCH={\"enable\":true,\"json\":true}\n";
// gpsd's longest reports (SKY with many satellites) stay well below this.
constexpr size_t kLongestLine = 1 << 16;

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct Socket {
    int fd = -1;
    ~Socket() {
        if (fd >= 0) close(fd);
    }
};

// The reports of one connection until a fix or a report that ends the reading.
GpsdEnd ReadReports(int fd, int localHour, long long deadlineMs, GpsFix& fix) {
    std::string pending;
    char piece[4096];
    while (NowMs() < deadlineMs) {
        if (!WaitReadable(fd, int(deadlineMs - NowMs()))) break;
        const ssize_t n = recv(fd, piece, sizeof piece, MSG_DONTWAIT);
        if (n == 0) break;  // gpsd went away
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            break;
        }
        pending.append(piece, size_t(n));
        for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            const GpsdReport report = ParseGpsdReport(std::string_view(pending).substr(0, end), localHour);
            if (report.kind == GpsdReportKind::NoDevice) return GpsdEnd::NoDevice;
            if (report.kind == GpsdReportKind::Fix) {
                fix = report.fix;
                return GpsdEnd::Fix;
            }
        }
        if (pending.size() > kLongestLine) pending.clear();
    }
    return GpsdEnd::NoFix;
}

}  // namespace

bool IsGpsdPath(std::string_view path) { return path.starts_with(kGpsdScheme); }

GpsdEnd ReadGpsdFix(std::string_view path, int localHour, int waitMs, GpsFix& fix) {
    fix = GpsFix{};
    const long long deadline = NowMs() + waitMs;
    if (!IsGpsdPath(path)) return GpsdEnd::BadAddress;
    const std::optional<TcpAddress> address = ParseTcpAddress(path.substr(kGpsdScheme.size()), kGpsdDefaultPort);
    if (!address) return GpsdEnd::BadAddress;
    Socket socket{TcpConnect(*address, waitMs)};
    if (socket.fd < 0) return GpsdEnd::Unreachable;
    if (!SendAll(socket.fd, kWatch, int(std::max(0LL, deadline - NowMs())))) return GpsdEnd::Unreachable;
    return ReadReports(socket.fd, localHour, deadline, fix);
}

}  // namespace vsp
