// Who holds a device, for the message of a port found busy (declared in SerialPort.h).

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/SerialPort.h"

namespace vsp {
namespace {

namespace fs = std::filesystem;

std::string ProcessText(int pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return "process " + std::to_string(pid) + (name.empty() ? "" : " (" + name + ")");
}

// The holders of flock locks on the file: /proc/locks names each by its file system's device
// (hexadecimal major:minor) and inode, "1: FLOCK  ADVISORY  WRITE 1234 00:19:3 0 EOF"; the
// lines of waiters ("1: -> FLOCK ...") are left out.
std::set<int> LockHolders(const struct stat& file) {
    std::set<int> holders;
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string id, kind, advisory, access, where;
        int pid = 0;
        if (!(fields >> id >> kind >> advisory >> access >> pid >> where) || kind != "FLOCK") continue;
        unsigned major = 0, minor = 0;
        unsigned long inode = 0;
        if (std::sscanf(where.c_str(), "%x:%x:%lu", &major, &minor, &inode) == 3 && major == major(file.st_dev) &&
            minor == minor(file.st_dev) && inode == file.st_ino)
            holders.insert(pid);
    }
    return holders;
}

// The processes this user may look into that have the device open.
std::set<int> Openers(const struct stat& device) {
    std::set<int> openers;
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
        const std::string name = process.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code unreadable;
        for (const fs::directory_entry& fd : fs::directory_iterator(process.path() / "fd", unreadable)) {
            struct stat target {};
            if (::stat(fd.path().c_str(), &target) == 0 && S_ISCHR(target.st_mode) && target.st_rdev == device.st_rdev) {
                openers.insert(std::stoi(name));
                break;
            }
        }
    }
    return openers;
}

}  // namespace

std::string DeviceHolder(const std::string& path) {
    struct stat device {};
    if (::stat(path.c_str(), &device) != 0) return "";
    std::set<int> holders = LockHolders(device);
    if (holders.empty() && S_ISCHR(device.st_mode)) holders = Openers(device);
    std::string text;
    for (const int pid : holders) text += (text.empty() ? "" : ", ") + ProcessText(pid);
    return text;
}

}  // namespace vsp
