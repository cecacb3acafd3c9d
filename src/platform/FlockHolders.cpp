#include "platform/FlockHolders.h"

#include <sys/sysmacros.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace vsp {

std::set<int> FlockHolders(const struct stat& file) {
    std::set<int> holders;
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        int pid = 0;
        unsigned major = 0, minor = 0;
        unsigned long inode = 0;
        // "1: FLOCK  ADVISORY  WRITE 1234 00:2f:56789 0 EOF", the device's major and minor in
        // hexadecimal; a waiter's line reads "1: -> FLOCK ..." and does not match.
        if (std::sscanf(line.c_str(), "%*d: FLOCK %*s %*s %d %x:%x:%lu", &pid, &major, &minor, &inode) == 4 &&
            major == major(file.st_dev) && minor == minor(file.st_dev) && inode == file.st_ino)
            holders.insert(pid);
    }
    return holders;
}

}  // namespace vsp
