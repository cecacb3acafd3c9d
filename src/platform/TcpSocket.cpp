#include "platform/TcpSocket.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>

namespace vsp {

namespace {

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Polls for `events` until `deadlineMs`, across signals.
bool PollUntil(int fd, short events, long long deadlineMs) {
    pollfd p{fd, events, 0};
    for (;;) {
        const long long wait = std::max(0LL, deadlineMs - NowMs());
        const int n = poll(&p, 1, int(std::min(wait, 1LL << 30)));
        if (n >= 0) return n > 0;
        if (errno != EINTR) return false;
    }
}

void CloseKeepingError(int fd) {
    const int code = errno;
    close(fd);
    errno = code;
}

struct AddressList {
    addrinfo* first = nullptr;
    ~AddressList() {
        if (first) freeaddrinfo(first);
    }
};

bool Resolve(const TcpAddress& address, bool passive, AddressList& list) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | (passive ? AI_PASSIVE : 0);
    const std::string port = std::to_string(address.port);
    const char* host = address.host.empty() ? nullptr : address.host.c_str();
    if (getaddrinfo(host ? host : "127.0.0.1", port.c_str(), &hints, &list.first) != 0) {
        errno = EADDRNOTAVAIL;
        return false;
    }
    return true;
}

// One attempt at one resolved address: the socket, or -1 with errno.
int ConnectOne(const addrinfo& to, long long deadlineMs) {
    const int fd = socket(to.ai_family, to.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, to.ai_protocol);
    if (fd < 0) return -1;
    if (connect(fd, to.ai_addr, to.ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            CloseKeepingError(fd);
            return -1;
        }
        if (!PollUntil(fd, POLLOUT, deadlineMs)) {
            close(fd);
            errno = ETIMEDOUT;
            return -1;
        }
        int code = 0;
        socklen_t length = sizeof code;
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &code, &length);
        if (code != 0) {
            close(fd);
            errno = code;
            return -1;
        }
    }
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

}  // namespace

std::optional<TcpAddress> ParseTcpAddress(std::string_view text, int defaultPort) {
    TcpAddress address;
    std::string_view rest;
    if (!text.empty() && text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        address.host = std::string(text.substr(1, close - 1));
        rest = text.substr(close + 1);
    } else {
        const size_t colon = text.rfind(':');
        // A second colon without brackets is a bare IPv6 address.
        const bool bareV6 = colon != std::string_view::npos && text.find(':') != colon;
        address.host = std::string(bareV6 || colon == std::string_view::npos ? text : text.substr(0, colon));
        rest = bareV6 || colon == std::string_view::npos ? std::string_view() : text.substr(colon);
    }
    address.port = defaultPort;
    if (!rest.empty()) {
        if (rest.front() != ':' || rest.size() == 1) return std::nullopt;
        const char* end = rest.data() + rest.size();
        const auto [last, error] = std::from_chars(rest.data() + 1, end, address.port);
        if (error != std::errc() || last != end) return std::nullopt;
    } else if (address.host.empty()) {
        return std::nullopt;
    }
    if (address.port < 1 || address.port > 65535) return std::nullopt;
    if (address.host.find_first_of(" /\t") != std::string::npos) return std::nullopt;
    return address;
}

bool IsTcpPath(std::string_view path) { return path.starts_with(kTcpScheme); }

int TcpConnect(const TcpAddress& address, int timeoutMs) {
    const long long deadline = NowMs() + timeoutMs;
    AddressList list;
    if (!Resolve(address, false, list)) return -1;
    int code = ECONNREFUSED;
    for (const addrinfo* to = list.first; to; to = to->ai_next) {
        const int fd = ConnectOne(*to, deadline);
        if (fd >= 0) return fd;
        code = errno;
        if (code == ETIMEDOUT) break;
    }
    errno = code;
    return -1;
}

int TcpListen(const TcpAddress& address, int backlog) {
    AddressList list;
    if (!Resolve(address, true, list)) return -1;
    const addrinfo& at = *list.first;
    const int fd = socket(at.ai_family, at.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, at.ai_protocol);
    if (fd < 0) return -1;
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (bind(fd, at.ai_addr, at.ai_addrlen) != 0 || listen(fd, backlog) != 0) {
        CloseKeepingError(fd);
        return -1;
    }
    return fd;
}

int TcpLocalPort(int fd) {
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) return -1;
    if (local.ss_family == AF_INET6) return ntohs(reinterpret_cast<sockaddr_in6*>(&local)->sin6_port);
    return ntohs(reinterpret_cast<sockaddr_in*>(&local)->sin_port);
}

int TcpAccept(int listenFd, int timeoutMs) {
    if (!PollUntil(listenFd, POLLIN, NowMs() + timeoutMs)) return -1;
    const int fd = accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return -1;
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

bool WaitReadable(int fd, int timeoutMs) { return PollUntil(fd, POLLIN, NowMs() + timeoutMs); }

bool SendAll(int fd, std::string_view bytes, int timeoutMs) {
    const long long deadline = NowMs() + timeoutMs;
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (!PollUntil(fd, POLLOUT, deadline)) {
            errno = ETIMEDOUT;
            return false;
        }
    }
    return true;
}

}  // namespace vsp
