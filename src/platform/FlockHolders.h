#pragma once
// The processes that hold an flock on a file, read from /proc/locks (Linux): the lock file of
// the user files and a serial device say who holds them when found busy.

#include <sys/stat.h>

#include <set>

namespace vsp {

// Process ids holding a lock on the file `file` stats (device and inode); waiters are left
// out. Empty when none is found or /proc/locks cannot be read.
std::set<int> FlockHolders(const struct stat& file);

}  // namespace vsp
