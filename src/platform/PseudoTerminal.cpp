#include "platform/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>

namespace vsp {
namespace {

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Raw bytes both ways at 9600 baud: what a mount or a receiver speaks; no echo, no line
// editing, no translation of line ends.
bool MakeRaw(int fd) {
    termios t;
    if (tcgetattr(fd, &t) != 0) return false;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    return cfsetspeed(&t, B9600) == 0 && tcsetattr(fd, TCSANOW, &t) == 0;
}

bool IsOurLink(const std::string& link, const std::string& target) {
    char text[PATH_MAX];
    const ssize_t n = readlink(link.c_str(), text, sizeof text);
    return n > 0 && std::string(text, size_t(n)) == target;
}

}  // namespace

PseudoTerminal::~PseudoTerminal() { Close(); }

bool PseudoTerminal::Open(const std::string& path) {
    Close();
    struct stat target;
    if (stat(path.c_str(), &target) == 0) {
        if (S_ISCHR(target.st_mode)) return OpenTerminal(path);
        errno = EEXIST;
        return false;
    }
    if (errno != ENOENT) return false;
    // What is there without a target is a symlink whose device is gone (left by a run that was
    // killed): replaced.
    struct stat link;
    if (lstat(path.c_str(), &link) == 0 && unlink(path.c_str()) != 0) return false;
    return OpenPseudoTerminal(path);
}

bool PseudoTerminal::OpenTerminal(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    if (!MakeRaw(fd)) {
        const int code = errno;
        close(fd);
        errno = code;
        return false;
    }
    fd_ = fd;
    device_ = path;
    return true;
}

bool PseudoTerminal::OpenPseudoTerminal(const std::string& linkPath) {
    int master = -1, slave = -1;
    char name[PATH_MAX];
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) return false;
    // The line settings belong to the pair and outlive this first client: later clients find
    // the line raw even when they leave it as it is.
    const bool ready = MakeRaw(slave) && fcntl(master, F_SETFL, O_NONBLOCK) == 0 &&
                       fcntl(master, F_SETFD, FD_CLOEXEC) == 0 && symlink(name, linkPath.c_str()) == 0;
    const int code = errno;
    close(slave);
    if (!ready) {
        close(master);
        errno = code;
        return false;
    }
    fd_ = master;
    device_ = name;
    link_ = linkPath;
    return true;
}

PortRead PseudoTerminal::Read(std::string& into, int waitMs) {
    pollfd p{fd_, POLLIN, 0};
    const int ready = poll(&p, 1, waitMs);
    if (ready < 0) return errno == EINTR ? PortRead::Quiet : PortRead::Failed;
    if (ready == 0) return PortRead::Quiet;
    char bytes[256];
    const ssize_t n = read(fd_, bytes, sizeof bytes);
    if (n > 0) {
        into.append(bytes, size_t(n));
        return PortRead::Bytes;
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return PortRead::Quiet;
    // A pseudo-terminal's own end reads EIO, and polls as hung up, for as long as no client
    // holds the other end; nothing tells when one comes, so wait out the time and look again.
    if (!link_.empty() && n < 0 && errno == EIO) {
        poll(nullptr, 0, waitMs);
        return PortRead::NoClient;
    }
    if (n == 0) errno = EIO;  // the served device hung up
    return PortRead::Failed;
}

bool PseudoTerminal::Write(std::string_view bytes, int waitMs) {
    const long long deadline = NowMs() + waitMs;
    while (!bytes.empty()) {
        const ssize_t n = write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(size_t(n));
            continue;
        }
        if (n < 0 && errno == EIO && !link_.empty()) return true;  // the client just left
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        const long long wait = deadline - NowMs();
        if (wait <= 0) return true;
        pollfd p{fd_, POLLOUT, 0};
        poll(&p, 1, int(wait));
    }
    return true;
}

void PseudoTerminal::Close() {
    if (fd_ >= 0) close(fd_);
    if (!link_.empty() && IsOurLink(link_, device_)) unlink(link_.c_str());
    fd_ = -1;
    device_.clear();
    link_.clear();
}

}  // namespace vsp
