#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace vsp::test {

LocalHttpServer::LocalHttpServer(Routes routes, bool silent) : routes_(std::move(routes)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{.sin_family = AF_INET, .sin_port = 0, .sin_addr = {htonl(INADDR_LOOPBACK)}, .sin_zero = {}};
    socklen_t length = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (::bind(listener_, generic, length) != 0 || ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, generic, &length) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    port_ = ntohs(address.sin_port);
    if (silent) return;
    thread_ = std::thread([this] {
        for (pollfd waiting{listener_, POLLIN, 0}; !stop_;) {
            if (::poll(&waiting, 1, 50) <= 0) continue;
            if (const int connection = ::accept(listener_, nullptr, nullptr); connection >= 0) {
                Answer(connection);
                ::close(connection);
            }
        }
    });
}

LocalHttpServer::~LocalHttpServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    ::close(listener_);
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LocalHttpServer::Answer(int connection) const {
    std::string request;
    char piece[1024];
    for (pollfd readable{connection, POLLIN, 0}; request.find("\r\n\r\n") == std::string::npos;) {
        const ssize_t got = ::poll(&readable, 1, 2000) > 0 ? ::read(connection, piece, sizeof piece) : 0;
        if (got <= 0) return;
        request.append(piece, size_t(got));
    }
    const size_t start = request.find(' ') + 1;
    const auto route = routes_.find(request.substr(start, request.find(' ', start) - start));
    const HttpReply reply = route == routes_.end() ? HttpReply() : route->second;
    const long length = reply.declaredLength >= 0 ? reply.declaredLength : long(reply.body.size());
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " X\r\nContent-Length: " + std::to_string(length) +
                       "\r\nConnection: close\r\n";
    if (!reply.location.empty()) head += "Location: " + reply.location + "\r\n";
    if (reply.msPerByte == 0) {
        Send(connection, head + "\r\n" + reply.body);
        return;
    }
    if (!Send(connection, head + "\r\n")) return;
    for (const char byte : reply.body) {
        if (stop_ || !Send(connection, std::string(1, byte))) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(reply.msPerByte));
    }
}

bool LocalHttpServer::Send(int connection, const std::string& bytes) const {
    for (size_t sent = 0; sent < bytes.size();) {
        const ssize_t wrote = ::send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (wrote <= 0) return false;
        sent += size_t(wrote);
    }
    return true;
}

}  // namespace vsp::test
