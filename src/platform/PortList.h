#pragma once
// The serial devices a port index names. Index 0 is no port; then the devices found under
// serial/by-id, ttyUSB*, ttyACM* and ttyS* of the device folder, in that order, each group
// in its numeric order, and after them every path a user named (a pseudo-terminal, a device
// elsewhere). The settings keep a chosen port by its path (a by-id name where one reaches the
// device, so that a receiver moved to another USB socket is still found) and, for settings
// written before paths were kept, by its index.

#include <filesystem>
#include <string>
#include <vector>

namespace vsp {

// How a list row names an entry: a by-id name and the node it reaches ("ttyUSB0"; empty when
// the link leads nowhere), or for any other entry its path as `name` and no node.
struct PortLabel {
    std::string name;
    std::string node;
    bool operator==(const PortLabel&) const = default;
};

// $VESPERTAR_DEVICES when set (a folder laid out as /dev for serial devices), else /dev.
std::filesystem::path DefaultDeviceFolder();

class PortList {
public:
    PortList() : PortList(DefaultDeviceFolder()) {}
    explicit PortList(std::filesystem::path deviceFolder);

    // The entry of `index`; empty for 0 and for an index past the end.
    std::string Name(int index);
    // One past the last index.
    int Size();
    // The index of `path`, or of the listed device it leads to; added at the end when neither
    // is listed yet. A network address ("tcp://HOST:PORT") is kept as it is.
    int Add(const std::string& path);
    // The index a setting chooses: 0 for index 0, else the entry of `path` when one is kept,
    // else `index` itself.
    int Chosen(int index, const std::string& path);
    // How a list row names entry `index`.
    PortLabel Label(int index);
    // Looks for the devices again (one may have been plugged in or out), keeping the paths
    // added since; the indexes may change, the paths stay.
    void Refresh();

private:
    // A list without a device is looked for again: one may have been plugged in since.
    void FindDevicesIfNone();

    std::filesystem::path deviceFolder_;
    std::vector<std::string> names_{""};
    size_t found_ = 0;  // entries 1..found_ are the devices found, the rest were added
};

// The devices of `deviceFolder` in list order. A ttyUSB or ttyACM device that a by-id name
// already reaches is left out.
std::vector<std::string> FindSerialDevices(const std::filesystem::path& deviceFolder);

}  // namespace vsp
