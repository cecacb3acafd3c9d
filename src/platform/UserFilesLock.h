#pragma once
// The lock every writer of user files (settings, lists, notes, user catalogs, the satellite
// database, the N-star file, exports that choose a free name) holds from its read to its
// rename, so that commands and the window running side by side lose nothing: N writers at
// once end as N writers one after the other.
//
// One lock for the whole program directory: an flock(2) on "userfiles.lock" at its root.
// A change that spans files (a note renamed, a list saved under a name and as the current
// list) then needs no lock order, and as every holder keeps it for milliseconds (downloads,
// catalog look-ups and device talk come before it is taken) one lock costs nothing in
// parallelism. Readers take none: every user file is replaced whole by a rename.
//
// The lock goes with its process, so a killed writer leaves nothing to clean up. A holder that
// keeps it past the wait (a stopped or stuck writer) makes Acquire fail with a message that
// names it; nothing waits forever. Taking it again in the same process nests for free.

#include <chrono>
#include <string>
#include <string_view>

#include "platform/InfoSink.h"
#include "platform/ProgramDir.h"

namespace vsp {

inline constexpr std::string_view kUserFilesLockName = "userfiles.lock";
inline constexpr std::chrono::milliseconds kUserFilesLockWait{5000};

class UserFilesLock {
public:
    UserFilesLock() = default;
    ~UserFilesLock() { Release(); }
    UserFilesLock(const UserFilesLock&) = delete;
    UserFilesLock& operator=(const UserFilesLock&) = delete;

    // True once held; false with the user's message in `why` when the lock file cannot be
    // opened (a read-only program directory) or another process holds it past `wait`.
    bool Acquire(const ProgramDir& dir, std::string& why, std::chrono::milliseconds wait = kUserFilesLockWait);
    void Release();
    bool Held() const { return !key_.empty(); }

private:
    std::string key_;  // the lock file's resolved path while held
};

// Acquire, its message going to `messages` when it fails.
bool LockUserFiles(const ProgramDir& dir, InfoSink& messages, UserFilesLock& lock);

}  // namespace vsp
