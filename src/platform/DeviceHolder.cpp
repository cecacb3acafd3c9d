// Who holds a device, for the message of a port found busy (declared in SerialPort.h).

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/FlockHolders.h"
#include "platform/ParseNumber.h"
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

// The processes this user may look into that have the device open.
std::set<int> Openers(const struct stat& device) {
    std::set<int> openers;
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
        const std::string name = process.path().filename();
        int pid = 0;
        if (!ParseWhole(name, pid)) continue;
        std::error_code unreadable;
        for (const fs::directory_entry& fd : fs::directory_iterator(process.path() / "fd", unreadable)) {
            struct stat target {};
            if (::stat(fd.path().c_str(), &target) == 0 && S_ISCHR(target.st_mode) && target.st_rdev == device.st_rdev) {
                openers.insert(pid);
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
    std::set<int> holders = FlockHolders(device);
    if (holders.empty() && S_ISCHR(device.st_mode)) holders = Openers(device);
    std::string text;
    for (const int pid : holders) text += (text.empty() ? "" : ", ") + ProcessText(pid);
    return text;
}

}  // namespace vsp
