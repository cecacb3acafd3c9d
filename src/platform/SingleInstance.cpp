#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

namespace vsp {

namespace {

constexpr const char* kLockName = "vespertar.lock";
constexpr const char* kSocketName = "vespertar.sock";
constexpr const char kRaise[] = "raise\n";

// Both copies must reach the same address however the directory was spelled on their
// command lines, so the address is built from the resolved path.
std::string CanonicalRoot(const ProgramDir& dir) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(dir.Root(), error);
    return error ? dir.Root() : ProgramDir(resolved).Root();
}

uint64_t Fnv1a64(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

socklen_t FillAddress(const std::string& address, sockaddr_un& out) {
    std::memset(&out, 0, sizeof out);
    out.sun_family = AF_UNIX;
    std::memcpy(out.sun_path, address.data(), address.size());
    // A file name carries its terminating zero; an abstract name is exactly its bytes.
    size_t length = address.size() + (address[0] == '\0' ? 0 : 1);
    return socklen_t(offsetof(sockaddr_un, sun_path) + length);
}

// Tells the copy holding the lock to come forward. It may be between taking the lock and
// binding its socket, so a refused or missing socket is retried for a short while.
void SendRaise(const std::string& address) {
    sockaddr_un addr;
    socklen_t length = FillAddress(address, addr);
    for (int attempt = 0; attempt < 20; ++attempt) {
        int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return;
        bool sent = false, retry = false;
        if (connect(fd, reinterpret_cast<sockaddr*>(&addr), length) == 0) {
            ssize_t n = send(fd, kRaise, sizeof kRaise - 1, MSG_DONTWAIT | MSG_NOSIGNAL);
            // A full queue already holds a request, which is all that is needed.
            sent = n >= 0 || errno == EAGAIN;
        } else {
            retry = errno == ENOENT || errno == ECONNREFUSED || errno == EINTR;
        }
        close(fd);
        if (sent || !retry) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// Only requests from the same user count; an abstract name can be reached by anyone.
bool FromSameUser(msghdr& message) {
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_CREDENTIALS) {
            ucred cred;
            std::memcpy(&cred, CMSG_DATA(c), sizeof cred);
            return cred.uid == getuid();
        }
    }
    return false;
}

}  // namespace

std::string SingleInstanceAddress(const std::string& canonicalRoot) {
    const std::string file = ProgramDir(canonicalRoot).Path(kSocketName);
    if (file.size() < sizeof(sockaddr_un::sun_path)) return file;
    char name[48];
    std::snprintf(name, sizeof name, "vespertar-%016llx",
                  static_cast<unsigned long long>(Fnv1a64(canonicalRoot)));
    return std::string(1, '\0') + name;
}

SingleInstance::~SingleInstance() { Release(); }

InstanceResult SingleInstance::Acquire(const ProgramDir& dir) {
    if (lockFd_ >= 0) return InstanceResult::Acquired;
    int fd = open(dir.Path(kLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return InstanceResult::Failed;
    std::string root = CanonicalRoot(dir);
    int rc;
    while ((rc = flock(fd, LOCK_EX | LOCK_NB)) < 0 && errno == EINTR) {
    }
    if (rc < 0) {
        bool taken = errno == EWOULDBLOCK;
        close(fd);
        if (!taken) return InstanceResult::Failed;
        SendRaise(SingleInstanceAddress(root));
        return InstanceResult::AnotherRunning;
    }
    lockFd_ = fd;
    Listen(root);
    return InstanceResult::Acquired;
}

// Without a socket the lock still keeps the program single; only raising is lost.
void SingleInstance::Listen(const std::string& canonicalRoot) {
    std::string address = SingleInstanceAddress(canonicalRoot);
    bool isFile = address[0] != '\0';
    // Holding the lock means no live copy owns a socket file here: one left behind by a
    // crashed run is removed so that bind can succeed.
    if (isFile) unlink(address.c_str());
    int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof on);
    sockaddr_un addr;
    socklen_t length = FillAddress(address, addr);
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), length) < 0) {
        close(fd);
        return;
    }
    socketFd_ = fd;
    if (isFile) socketFile_ = address;
}

bool SingleInstance::TakeRaiseRequest() {
    if (socketFd_ < 0) return false;
    bool raise = false;
    for (;;) {
        char data[64];
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
        iovec io{data, sizeof data};
        msghdr message{};
        message.msg_iov = &io;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        ssize_t n = recvmsg(socketFd_, &message, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
        if (n < 0) {
            if (errno == EINTR) continue;
            break;  // EAGAIN: drained
        }
        if (!FromSameUser(message)) continue;
        std::string_view text(data, size_t(n));
        if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
        if (text == "raise") raise = true;
    }
    return raise;
}

void SingleInstance::Release() {
    if (socketFd_ >= 0) {
        close(socketFd_);
        socketFd_ = -1;
    }
    // Removed while the lock is still held, so a new first copy cannot have bound it yet.
    if (!socketFile_.empty()) {
        unlink(socketFile_.c_str());
        socketFile_.clear();
    }
    if (lockFd_ >= 0) {
        close(lockFd_);
        lockFd_ = -1;
    }
}

}  // namespace vsp
