#include "shell/PortChoice.h"

#include <algorithm>

namespace vsp {

namespace {

constexpr std::string_view kEllipsis = "\x85";

std::string WithoutAffix(std::string name, std::string_view prefix, std::string_view suffix) {
    if (name.size() > prefix.size() && name.starts_with(prefix)) name.erase(0, prefix.size());
    if (name.size() > suffix.size() && name.ends_with(suffix)) name.erase(name.size() - suffix.size());
    return name;
}

// `text` with its middle cut out until it and `after` fit `width`.
std::string CutMiddle(const std::string& text, const std::string& after,
                      const std::function<int(std::string_view)>& measure, int width) {
    if (measure(text + after) <= width) return text + after;
    for (size_t keep = text.size() - 1; keep > 1; --keep) {
        const size_t tail = keep / 2, head = keep - tail;
        std::string cut = text.substr(0, head) + std::string(kEllipsis) + text.substr(text.size() - tail) + after;
        if (measure(cut) <= width) return cut;
    }
    return std::string(kEllipsis) + after;
}

// `text` cut at its end until it and `after` fit `width`.
std::string CutEnd(const std::string& text, const std::string& after,
                   const std::function<int(std::string_view)>& measure, int width) {
    for (size_t keep = text.size(); keep > 1; --keep) {
        std::string cut = text.substr(0, keep) + (keep < text.size() ? std::string(kEllipsis) : "") + after;
        if (measure(cut) <= width) return cut;
    }
    return std::string(kEllipsis) + after;
}

}  // namespace

std::string PortRowText(const PortLabel& label, const std::function<int(std::string_view)>& measure, int width) {
    const bool byId = label.name.find('/') == std::string::npos;
    const std::string node = label.node.empty() ? "" : " (" + label.node + ")";
    if (!byId || measure(label.name + node) <= width) return CutMiddle(label.name, node, measure, width);
    // Vendor and product lead the name, the serial number ends it: the node in brackets tells
    // two alike adapters apart better than the end of a serial number.
    const std::string shorter = WithoutAffix(WithoutAffix(label.name, "usb-", "-port0"), "", "-if00");
    return CutEnd(shorter, node, measure, width);
}

bool OffersGpsd(const PreferenceSetting& port) { return port.key == "gps_port"; }

const PreferenceSetting* PortPathSetting(const PreferenceTable& table, const PreferenceSetting& port) {
    return table.Find(port.key + "_path");
}

std::vector<PortLabel> ListedPorts(PortList& ports, const PreferenceTable& table, const Preferences& prefs) {
    for (const PreferenceSetting& s : table.Listed())
        if (s.look == PageLook::PortList) ChosenPort(ports, table, s, prefs);
    std::vector<PortLabel> labels;
    for (int index = 1; index < ports.Size(); ++index) labels.push_back(ports.Label(index));
    return labels;
}

int ChosenPort(PortList& ports, const PreferenceTable& table, const PreferenceSetting& port, const Preferences& prefs) {
    const PreferenceSetting* path = PortPathSetting(table, port);
    return ports.Chosen(int(port.getNumber(prefs)), path ? path->getText(prefs) : std::string());
}

void ChoosePort(PortList& ports, const PreferenceTable& table, const PreferenceSetting& port, int index,
                Preferences& prefs) {
    // Past the numbers the settings keep, the path alone tells the ports apart.
    port.setNumber(prefs, std::clamp(double(index), 0.0, port.range.maximum));
    if (const PreferenceSetting* path = PortPathSetting(table, port)) path->setText(prefs, ports.Name(index));
}

}  // namespace vsp
