#pragma once
// The serial port popups of preference page 1: "None", the ports of the port list by their
// Linux names (a by-id name with the node it reaches in brackets, shortened to fit the popup
// list), on the GPS port's popup "gpsd" (the local daemon, which owns the receivers it
// serves), then "Other..." to type a path. A choice is kept as its port number (the start
// routine's range, for settings read by older programs) and as its path, which names it from
// then on.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PortList.h"
#include "scope/GpsdClient.h"
#include "settings/PreferenceSetting.h"
#include "settings/PreferenceTable.h"

namespace vsp {

inline constexpr std::string_view kOtherPortRow = "Other...";
inline constexpr std::string_view kGpsdPortRow = "gpsd";  // chooses kLocalGpsd

// The port settings whose popup offers the "gpsd" row.
bool OffersGpsd(const PreferenceSetting& port);

// `label` as a row no wider than `width` layout pixels: whole when it fits; else a by-id
// name loses its "usb-" and "-if00-port0", then its end ("\x85"), and a path its middle.
std::string PortRowText(const PortLabel& label, const std::function<int(std::string_view)>& measure, int width);

// The setting keeping the path of a port setting ("scope_port" -> "scope_port_path").
const PreferenceSetting* PortPathSetting(const PreferenceTable& table, const PreferenceSetting& port);

// The labels of entries 1.. of `ports`, once the ports the settings choose are listed.
std::vector<PortLabel> ListedPorts(PortList& ports, const PreferenceTable& table, const Preferences& prefs);

// The list index the settings choose for `port`.
int ChosenPort(PortList& ports, const PreferenceTable& table, const PreferenceSetting& port, const Preferences& prefs);

// Keeps entry `index` of `ports` (0: none) as the choice of `port`.
void ChoosePort(PortList& ports, const PreferenceTable& table, const PreferenceSetting& port, int index,
                Preferences& prefs);

}  // namespace vsp
