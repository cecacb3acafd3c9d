#include "platform/UserFilesLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <mutex>
#include <thread>

#include "platform/FlockHolders.h"
#include "platform/FormatText.h"
#include "platform/SystemError.h"
#include "platform/Text.h"

namespace vsp {
namespace {

struct Hold {
    int fd = -1;
    int depth = 0;
    pid_t owner = 0;  // a forked child inherits the table but is a holder of its own
};

// The locks this process holds, by lock file, so that taking one again nests instead of
// waiting on itself (flock counts per open file, not per process).
std::mutex& HoldsMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, Hold>& Holds() {
    static std::map<std::string, Hold> holds;
    return holds;
}

// What a process was started as, for telling the user who holds the lock.
std::string CommandLineOf(long pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::string text;
    std::getline(file, text, '\n');
    while (!text.empty() && text.back() == '\0') text.pop_back();
    std::replace(text.begin(), text.end(), '\0', ' ');
    constexpr size_t kShown = 80;
    if (text.size() > kShown) text = text.substr(0, kShown) + "...";
    return text;
}

// The process that holds an flock on the open file `fd`; 0 when not found.
long LockHolder(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0) return 0;
    const std::set<int> holders = FlockHolders(st);
    return holders.empty() ? 0 : *holders.begin();
}

std::string HeldTooLong(int fd, const std::string& path, std::chrono::milliseconds wait) {
    const long pid = LockHolder(fd);
    std::string holder = "another program";
    if (pid > 0) {
        holder = "pid " + std::to_string(pid);
        const std::string command = CommandLineOf(pid);
        if (!command.empty()) holder += " (" + Utf8ToCp1252(command) + ")";
    }
    return path + " is held by " + holder + " for more than " + FormatText("%.3g s", double(wait.count()) / 1000) +
           ": nothing was changed.";
}

// Waits for the lock in short naps, so that a stuck holder is noticed at the deadline.
bool WaitForLock(int fd, std::chrono::milliseconds wait, int& error) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto nap = std::chrono::milliseconds(1);
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        error = errno;
        if (error == EINTR) continue;
        if (error != EWOULDBLOCK) return false;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(nap, deadline - now));
        nap = std::min(nap * 2, std::chrono::milliseconds(40));
    }
}

}  // namespace

bool UserFilesLock::Acquire(const ProgramDir& dir, std::string& why, std::chrono::milliseconds wait) {
    if (Held()) return true;
    std::error_code ignored;
    std::filesystem::create_directories(dir.Root(), ignored);
    const std::string path = dir.Path(kUserFilesLockName);
    const std::string key = std::filesystem::weakly_canonical(path, ignored).string();

    const std::lock_guard<std::mutex> guard(HoldsMutex());
    if (auto held = Holds().find(key); held != Holds().end() && held->second.owner == getpid()) {
        ++held->second.depth;
        key_ = key;
        return true;
    }
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        why = "Can't lock the user files: " + path + ": " + SystemErrorText(errno);
        return false;
    }
    int error = 0;
    if (!WaitForLock(fd, wait, error)) {
        why = error == EWOULDBLOCK ? HeldTooLong(fd, path, wait)
                                   : "Can't lock the user files: " + path + ": " + SystemErrorText(error);
        close(fd);
        return false;
    }
    Holds()[key] = Hold{fd, 1, getpid()};
    key_ = key;
    return true;
}

void UserFilesLock::Release() {
    if (!Held()) return;
    const std::lock_guard<std::mutex> guard(HoldsMutex());
    const auto held = Holds().find(key_);
    if (held != Holds().end() && --held->second.depth == 0) {
        close(held->second.fd);  // lets the flock go
        Holds().erase(held);
    }
    key_.clear();
}

bool LockUserFiles(const ProgramDir& dir, InfoSink& messages, UserFilesLock& lock) {
    std::string why;
    if (lock.Acquire(dir, why)) return true;
    messages.InfoBox(why, "");
    return false;
}

}  // namespace vsp
