#include "support/RunProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace vsp::test {
namespace {

// Reads both pipes until both close, so a chatty child never blocks on a full pipe.
void Drain(int outFd, int errFd, std::string& out, std::string& err) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&out, &err};
    int open = 2;
    char block[4096];
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            ssize_t n = ::read(fds[i].fd, block, sizeof block);
            if (n > 0) {
                sinks[i]->append(block, size_t(n));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

}  // namespace

const char* VespertarPath() { return VESPERTAR_BIN; }

ProgramResult RunVespertar(const std::vector<std::string>& args, const std::string& input) {
    int outPipe[2], errPipe[2], inPipe[2];
    if (::pipe(outPipe) || ::pipe(errPipe) || ::pipe(inPipe)) return {};
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(inPipe[0], 0);
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1], inPipe[0], inPipe[1]}) ::close(fd);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(VESPERTAR_BIN));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(VESPERTAR_BIN, argv.data());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    ::close(inPipe[0]);
    if (!input.empty()) (void)!::write(inPipe[1], input.data(), input.size());
    ::close(inPipe[1]);
    ProgramResult result;
    Drain(outPipe[0], errPipe[0], result.out, result.err);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

#if defined(__SANITIZE_ADDRESS__)
#define VSP_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VSP_ADDRESS_SANITIZER 1
#endif
#endif

ProgramResult RunVespertarInLittleMemory(const std::vector<std::string>& args) {
#if defined(VSP_ADDRESS_SANITIZER)
    return RunVespertar(args);
#else
    // The child inherits the limit; this process keeps it only for the run.
    rlimit before{};
    ::getrlimit(RLIMIT_AS, &before);
    rlimit capped = before;
    capped.rlim_cur = std::min<rlim_t>(before.rlim_cur, rlim_t(1) << 30);
    ::setrlimit(RLIMIT_AS, &capped);
    ProgramResult result = RunVespertar(args);
    ::setrlimit(RLIMIT_AS, &before);
    return result;
#endif
}

}  // namespace vsp::test
