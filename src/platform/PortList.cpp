#include "platform/PortList.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string_view>
#include <tuple>

#include "platform/ParseNumber.h"

namespace vsp {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFamilies[] = {"ttyUSB", "ttyACM", "ttyS"};

// The family of a device name and its number, or a family of -1 for any other name.
std::pair<int, long> FamilyOf(std::string_view name) {
    for (int family = 0; family < int(std::size(kFamilies)); ++family) {
        if (!name.starts_with(kFamilies[family])) continue;
        const std::string_view digits = name.substr(kFamilies[family].size());
        long number = 0;
        if (digits.find_first_not_of("0123456789") == std::string_view::npos && ParseWhole(digits, number))
            return {family, number};
    }
    return {-1, 0};
}

// The device a path leads to, or the path itself when it leads nowhere.
fs::path Reached(const fs::path& path) {
    std::error_code error;
    fs::path target = fs::canonical(path, error);
    return error ? path : target;
}

}  // namespace

fs::path DefaultDeviceFolder() {
    const char* folder = std::getenv("VESPERTAR_DEVICES");
    return folder && *folder ? fs::path(folder) : fs::path("/dev");
}

std::vector<std::string> FindSerialDevices(const fs::path& deviceFolder) {
    std::error_code error;
    std::vector<std::string> found;
    std::set<fs::path> reached;
    for (const auto& entry : fs::directory_iterator(deviceFolder / "serial" / "by-id", error))
        found.push_back(entry.path().string());
    std::sort(found.begin(), found.end());
    for (const std::string& link : found) {
        fs::path target = fs::canonical(link, error);
        if (!error) reached.insert(std::move(target));
    }

    std::vector<std::tuple<int, long, fs::path>> devices;
    for (const auto& entry : fs::directory_iterator(deviceFolder, error)) {
        const auto [family, number] = FamilyOf(entry.path().filename().string());
        if (family >= 0) devices.emplace_back(family, number, entry.path());
    }
    std::sort(devices.begin(), devices.end());
    for (const auto& [family, number, path] : devices) {
        const fs::path target = fs::canonical(path, error);
        if (error || !reached.contains(target)) found.push_back(path.string());
    }
    return found;
}

PortList::PortList(fs::path deviceFolder) : deviceFolder_(std::move(deviceFolder)) {}

void PortList::FindDevicesIfNone() {
    if (names_.size() >= 2) return;
    names_ = {""};
    for (std::string& device : FindSerialDevices(deviceFolder_))
        names_.push_back(std::move(device));
    found_ = names_.size() - 1;
}

void PortList::Refresh() {
    const std::vector<std::string> named(names_.begin() + std::ptrdiff_t(found_ + 1), names_.end());
    names_ = {""};
    FindDevicesIfNone();
    for (const std::string& path : named) Add(path);
}

std::string PortList::Name(int index) {
    FindDevicesIfNone();
    return index > 0 && index < int(names_.size()) ? names_[size_t(index)] : std::string();
}

int PortList::Size() {
    FindDevicesIfNone();
    return int(names_.size());
}

int PortList::Add(const std::string& path) {
    FindDevicesIfNone();
    const auto listed = std::find(names_.begin() + 1, names_.end(), path);
    if (listed != names_.end()) return int(listed - names_.begin());
    // An address ("tcp://HOST:PORT", "gpsd://HOST") names no device: kept as typed.
    if (path.find("://") != std::string::npos) {
        names_.push_back(path);
        return int(names_.size()) - 1;
    }
    // A node typed by hand is kept by the by-id name that reaches it.
    const fs::path device = Reached(path);
    for (size_t i = 1; i < names_.size(); ++i)
        if (Reached(names_[i]) == device) return int(i);
    names_.push_back(path);
    return int(names_.size()) - 1;
}

int PortList::Chosen(int index, const std::string& path) {
    if (index <= 0) return 0;
    return path.empty() ? index : Add(path);
}

PortLabel PortList::Label(int index) {
    const fs::path path = Name(index);
    if (path.parent_path().filename() != "by-id") return {path.string(), ""};
    // The node udev's link names ("../../ttyUSB0"), not where that node may lead in turn.
    std::error_code error;
    const fs::path target = fs::read_symlink(path, error);
    const bool present = !error && fs::exists(path, error);
    return {path.filename().string(), present ? target.filename().string() : ""};
}

}  // namespace vsp
