#pragma once
// The serial devices a port index names. Index 0 is no port; then the devices found under
// serial/by-id, ttyUSB*, ttyACM* and ttyS* of the device folder, in that order, each group
// in its numeric order, and after them every path a user named (a pseudo-terminal, a device
// elsewhere). The stored port settings are these indexes.

#include <filesystem>
#include <string>
#include <vector>

namespace vsp {

class PortList {
public:
    explicit PortList(std::filesystem::path deviceFolder = "/dev");

    // The entry of `index`; empty for 0 and for an index past the end.
    std::string Name(int index);
    // One past the last index.
    int Size();
    // The index of `path`, added at the end when it is not listed yet.
    int Add(const std::string& path);

private:
    // A list without a device is looked for again: one may have been plugged in since.
    void FindDevicesIfNone();

    std::filesystem::path deviceFolder_;
    std::vector<std::string> names_{""};
};

// The devices of `deviceFolder` in list order. A ttyUSB or ttyACM device that a by-id name
// already reaches is left out.
std::vector<std::string> FindSerialDevices(const std::filesystem::path& deviceFolder);

}  // namespace vsp
