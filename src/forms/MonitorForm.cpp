// Monitor (2300): the serial line as the telescope layer sees it — the drive and port in use,
// whether the port is open, the alignment the positions go through, and the last commands
// written and replies read with their times, newest first. It only reads; it never talks to
// the mount itself, so opening it changes nothing on the line.

#include <string>

#include "format/CalendarText.h"
#include "forms/PlaceTimeForms.h"
#include "forms/ScopeForms.h"
#include "scope/DriveTable.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"

namespace vsp {
namespace {

constexpr int kDriveText = 2301, kPortText = 2302, kAlignmentText = 2303, kTrafficList = 2304;
constexpr int kRefreshButton = 2305;
constexpr int kRefreshTimer = 1;
constexpr int kRefreshMs = 1000;
constexpr int kWidth = 240 - 2 * kPlaceMargin;
constexpr int kListTop = kPlaceTop + 4 * kPlaceLineStep, kButtonTop = 294;

// Printable ASCII as it is; anything else (binary protocols, line ends) as <hh>.
std::string WireText(const std::string& bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F) {
            text += c;
        } else {
            text += {'<', kHex[u >> 4], kHex[u & 0xF], '>'};
        }
    }
    return text;
}

std::string ExchangeRow(const LineExchange& e) {
    std::string row = IsoClock(e.time.hour, e.time.minute, e.time.second);
    row += e.direction == LineDirection::Sent ? " > " : " < ";
    row += WireText(e.bytes);
    if (e.count > e.bytes.size()) row += " ... (" + std::to_string(e.count) + " bytes)";
    return row;
}

std::string AlignmentText(const Preferences& prefs, Telescope& telescope) {
    if (prefs.alignMethod != 0) {
        const size_t stars = telescope.NStars().list.Size();
        return "Alignment: External, " + std::to_string(stars) + (stars == 1 ? " star" : " stars");
    }
    return telescope.TwoStar().IsActive() ? "Alignment: 2 stars, aligned" : "Alignment: 2 stars, not aligned";
}

class MonitorForm : public Form {
public:
    explicit MonitorForm(Telescope& telescope) : telescope_(telescope) {}

    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = PlaceTimeTemplate(formId);
        t.controls.push_back(LabelAt(kDriveText, kPlaceMargin, kPlaceTop, kWidth, ""));
        // Two lines: a by-id path is longer than the screen is wide.
        ControlTemplate port = LabelAt(kPortText, kPlaceMargin, kPlaceTop + kPlaceLineStep, kWidth, "");
        port.rect.bottom += kPlaceLineStep;
        t.controls.push_back(port);
        t.controls.push_back(LabelAt(kAlignmentText, kPlaceMargin, kPlaceTop + 3 * kPlaceLineStep, kWidth, ""));
        t.controls.push_back(
            {kTrafficList, ControlKind::List, "", MakeRect(kPlaceMargin, kListTop, kWidth, kButtonTop - 4 - kListTop)});
        t.controls.push_back(ButtonAt(kRefreshButton, kPlaceMargin, kButtonTop, 70, "Refresh"));
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenPlaceTimeForm(state, window);
        Refresh(state, window, true);
        state.loop.SetTimer(window.Handle(), kRefreshTimer, kRefreshMs);
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify) override {
        if (id == kRefreshButton) Refresh(state, window, true);
    }

    void OnTimer(AppState& state, FormWindow& window, int timerId) override {
        if (timerId == kRefreshTimer) Refresh(state, window, false);
    }

private:
    // The list is rebuilt only when the line moved (or on request), so that a user scrolled
    // back through it is not thrown to the top every second.
    void Refresh(AppState& state, FormWindow& window, bool always) {
        const Preferences& prefs = state.prefs;
        SerialLink& link = telescope_.Link();
        const std::string_view drive = FindDrive(prefs.scopeDrive).value_or(DriveInfo{}).listText;
        SetField(state, kDriveText, "Drive: " + std::string(drive.empty() ? "None" : drive));
        const std::string name = link.PortName(link.ScopePort());
        const char* how = link.SerialIsOpen() ? "open" : link.Emulating() ? "emulated" : "closed";
        SetField(state, kPortText, std::string("Port (") + how + "): " + (name.empty() ? std::string("None") : name));
        SetField(state, kAlignmentText, AlignmentText(prefs, telescope_));
        if (!always && link.Traffic().Changes() == shownChanges_) return;
        shownChanges_ = link.Traffic().Changes();
        window.FindControl(kTrafficList)->DeleteAllRows();
        const auto& exchanges = link.Traffic().Exchanges();
        if (exchanges.empty()) AddListRow(state, kTrafficList, "Nothing sent or received yet.");
        for (const LineExchange& e : exchanges) AddListRow(state, kTrafficList, ExchangeRow(e));
    }

    Telescope& telescope_;
    size_t shownChanges_ = 0;
};

}  // namespace

std::unique_ptr<Form> MakeMonitorForm(Telescope& telescope) { return std::make_unique<MonitorForm>(telescope); }

}  // namespace vsp
