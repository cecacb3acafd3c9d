#pragma once
// Keeps the interactive program to one copy per program directory. The first copy holds an
// exclusive lock on "vespertar.lock" for its whole life and listens on a local socket; a later
// copy finds the lock taken, asks the first one to come to the foreground and exits.
// Command-line jobs do not use this: they run side by side.

#include <string>

#include "platform/ProgramDir.h"

namespace vsp {

enum class InstanceResult { Acquired, AnotherRunning, Failed };

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Acquired: this object now holds the lock and listens for raise requests.
    // AnotherRunning: a copy holds the lock; it has been asked to raise its window.
    // Failed: the lock file could not be opened or locked (e.g. a missing or read-only
    // directory). Calling again after Acquired answers Acquired.
    InstanceResult Acquire(const ProgramDir& dir);

    // Non-blocking: drains every pending request and answers true when at least one of them
    // asked for a raise.
    bool TakeRaiseRequest();

    // Readable when a request is waiting; -1 when not listening (so an event loop can poll it).
    int RaiseRequestFd() const { return socketFd_; }

private:
    void Listen(const std::string& canonicalRoot);
    void Release();

    int lockFd_ = -1;
    int socketFd_ = -1;
    std::string socketFile_;  // empty when the socket has no file (abstract name)
};

// The local socket address for a program directory: "<dir>/vespertar.sock" when it fits in a
// socket address, otherwise an abstract name beginning with '\0' derived from the directory.
// `canonicalRoot` ends with '/'.
std::string SingleInstanceAddress(const std::string& canonicalRoot);

}  // namespace vsp
