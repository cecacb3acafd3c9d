#pragma once
// TCP connections for the devices that sit on the network instead of a serial line: mounts
// behind Wi-Fi bridges ("tcp://HOST:PORT"), INDI servers, gpsd, and the program's own LX200
// server. Every descriptor is non-blocking and closed on exec; waiting is bounded by the
// caller's time-outs, so that a silent or absent peer never hangs a command. Failures answer
// -1 (or false) with LastSystemErrorCode() telling why.

#include <optional>
#include <string>
#include <string_view>

namespace vsp {

struct TcpAddress {
    std::string host;  // a name or a numeric address; an IPv6 address without its brackets
    int port = 0;
};

// "HOST:PORT", "HOST" (with `defaultPort`), "[IPv6]:PORT" or ":PORT" (the local host);
// nullopt for an empty host with no port, a port outside 1..65535 or trailing text.
std::optional<TcpAddress> ParseTcpAddress(std::string_view text, int defaultPort);
// "tcp://HOST:PORT" names a network port instead of a device path.
inline constexpr std::string_view kTcpScheme = "tcp://";
// The port of Wi-Fi mount adapters (SkyFi and its like) and of LX200 servers.
inline constexpr int kMountTcpPort = 4030;
bool IsTcpPath(std::string_view path);

// A connected socket within `timeoutMs` (name lookup included for numeric and /etc/hosts
// names; a DNS lookup is the resolver's own), TCP_NODELAY set since the protocols carried
// are short commands awaiting short replies. -1 with ECONNREFUSED, ETIMEDOUT, EHOSTUNREACH,
// or EADDRNOTAVAIL for a name that does not resolve.
int TcpConnect(const TcpAddress& address, int timeoutMs);
// A socket listening on `address` (SO_REUSEADDR, so that a restarted server gets its port
// back at once); -1 when the port is taken or the address is not local.
int TcpListen(const TcpAddress& address, int backlog = 4);
// The port a listening socket got (useful after asking for port 0).
int TcpLocalPort(int fd);
// The next client within `timeoutMs`, non-blocking and closed on exec; -1 when none came.
int TcpAccept(int listenFd, int timeoutMs);
// True when `fd` became readable (or hung up, which the next read tells) within `timeoutMs`.
bool WaitReadable(int fd, int timeoutMs);
// Writes all of `bytes` within `timeoutMs` (without SIGPIPE on a closed peer).
bool SendAll(int fd, std::string_view bytes, int timeoutMs);

}  // namespace vsp
