// Eclipses: the next solar and lunar eclipses from the observing date, with the instant of
// greatest eclipse. A tap on a row opens a panel over the list with the eclipse as the site
// sees it (contacts in local time with the altitude, magnitude, obscuration) and a Done button;
// back on the list, the text under it shows the eclipse's global circumstances and, for the
// Moon, its contacts in UT.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ephemeris/Eclipses.h"
#include "ephemeris/LocalEclipse.h"
#include "format/CalendarText.h"
#include "forms/EphemerisFormKit.h"
#include "forms/PlaceTimeForms.h"
#include "format/EventText.h"
#include "platform/FormatText.h"
#include "shell/FormOps.h"

namespace vsp {
namespace {

constexpr int kHeadFirst = 2701;  // three column heads
constexpr int kEclipseList = 2705;
constexpr int kDetails = 2706;
constexpr int kLocalPanel = 2707;
constexpr int kLocalDone = 2708;

constexpr int kWanted = 12;
constexpr int kHeadTop = 42, kListTop = 56;
constexpr int kVisibleRows = 8;
constexpr int kListHeight = kVisibleRows * kEphemRowHeight + 2;
constexpr int kDetailsTop = kListTop + kListHeight + 6;
const std::vector<int> kColumns = {106, 66, 50};
constexpr int kDoneWidth = 60, kDoneTop = 320 - kPlaceButtonHeight - 6;

std::string LunarContacts(const LunarEclipseDetails& d) {
    return "P1 " + ContactClockText(d.p1) + "   P4 " + ContactClockText(d.p4) + "\nU1 " + ContactClockText(d.u1) +
           "   U4 " + ContactClockText(d.u4) + "\nU2 " + ContactClockText(d.u2) + "   U3 " + ContactClockText(d.u3);
}

// What the list row does not say: the kind spelled out, the instant of greatest eclipse, the
// shadow's geometry, and for the Moon its magnitudes, contacts and duration (UT).
std::string DetailText(const EclipseEntry& e, const EclipseCircumstances& c) {
    const bool solar = e.kind == kEclipseSolar;
    const CalendarDateTime& g = e.greatest;
    std::string text = FormatText("%s %s eclipse\nGreatest %s %s UT\n", EclipseTypeName(int(e.type)),
                                  solar ? "solar" : "lunar", YearFirstDate(g.year, g.month, g.day).c_str(),
                                  IsoClock(g.hour, g.minute, g.second).c_str());
    text += FormatText("Gamma %.4f   u %.4f", c.gamma, c.u);
    if (solar) return text;
    const LunarEclipseDetails& d = c.lunar;
    return text + FormatText("\nMagnitude %.3f (penumbral %.3f)\n", d.umbralMagnitude, d.penumbralMagnitude) +
           LunarContacts(d) + "\nDuration " + EclipseDurationText(e.duration);
}

// The panel's text: what the eclipse is, then how it goes here.
std::string LocalText(const EclipseEntry& e, const EclipseCircumstances& c, const EphemerisSettings& settings) {
    const CalendarDateTime& g = e.greatest;
    const int offset = settings.location.tzOffset;
    std::string text = FormatText("%s %s eclipse %s\nGreatest %s UT\n\nFrom here, local time (UT%c%d:%02d):\n",
                                  EclipseTypeName(int(e.type)), e.kind == kEclipseSolar ? "solar" : "lunar",
                                  YearFirstDate(g.year, g.month, g.day).c_str(),
                                  IsoClock(g.hour, g.minute, g.second).c_str(), offset < 0 ? '-' : '+',
                                  std::abs(offset) / 60, std::abs(offset) % 60);
    return text + LocalEclipseText(LocalEclipseAt(e, c, settings), offset);
}

class EclipsesForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = EphemerisTemplate(formId);
        AddColumnHeads(t, kHeadFirst, kEphemMargin, kHeadTop, kColumns, {"Date", "Type", "UT"});
        t.controls.push_back(
            {kEclipseList, ControlKind::List, "", MakeRect(kEphemMargin, kListTop, kEphemWidth, kListHeight)});
        t.controls.push_back({kDetails, ControlKind::StaticText, "",
                              MakeRect(kEphemMargin, kDetailsTop, kEphemWidth, 320 - kDetailsTop - 2)});
        ControlTemplate panel{kLocalPanel, ControlKind::StaticText, "",
                              MakeRect(kEphemMargin, kHeadTop, kEphemWidth, kDoneTop - kHeadTop - 4)};
        panel.visible = false;
        t.controls.push_back(panel);
        ControlTemplate done = ButtonAt(kLocalDone, 240 - kEphemMargin - kDoneWidth, kDoneTop, kDoneWidth, "Done");
        done.visible = false;
        t.controls.push_back(done);
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        OpenEphemerisForm(state, window, kEclipsesFormId);
        const CalendarDateTime t = state.observingTime;
        SetField(state, kEphemCaptionId, "From " + ShortDate(t.month, t.day) + " " + std::to_string(t.year) +
                                             ", times in UT");
        FindEclipses(list_, kWanted, t.year, t.month, t.day, SiteEphemeris(state));
        std::vector<std::string> rows;
        for (int i = 0; i < list_.count; ++i) {
            const EclipseEntry& e = list_.entries[i];
            const EclipseRowText row = EclipseRow(e);
            rows.push_back(row.date + "\t" + row.type + "\t" + ClockMinutes(e.greatest.hour, e.greatest.minute));
        }
        SetListColumns(state, window, kEclipseList, kColumns);
        FillList(state, window, kEclipseList, rows);
        SetField(state, kDetails, "Tap an eclipse for its circumstances.");
    }

    void OnControl(AppState& state, FormWindow& window, int id, ControlNotify notify) override {
        if (id == kLocalDone && notify == ControlNotify::Click) {
            ShowPanel(state, window, false);
            return;
        }
        if (id != kEclipseList || notify != ControlNotify::RowChosen) return;
        const int row = GetListSelection(state, kEclipseList);
        if (row < 0 || row >= list_.count) return;
        SetField(state, kDetails, DetailText(list_.entries[row], list_.circumstances[row]));
        SetField(state, kLocalPanel, LocalText(list_.entries[row], list_.circumstances[row], SiteEphemeris(state)));
        ShowPanel(state, window, true);
    }

    bool OnKey(AppState& state, FormWindow& window, const KeyPress& key) override {
        if (!panelShown_ || key.code != kKeyEscape) return false;
        ShowPanel(state, window, false);
        return true;
    }

private:
    // The panel covers the heads, the list and the text under it.
    void ShowPanel(AppState& state, FormWindow& window, bool shown) {
        panelShown_ = shown;
        for (int id = kHeadFirst; id < kHeadFirst + int(kColumns.size()); ++id) ShowControl(state, &window, id, !shown);
        ShowControl(state, &window, kEclipseList, !shown);
        ShowControl(state, &window, kDetails, !shown);
        ShowControl(state, &window, kLocalPanel, shown);
        ShowControl(state, &window, kLocalDone, shown);
    }

    EclipseList list_;
    bool panelShown_ = false;
};

}  // namespace

std::unique_ptr<Form> MakeEclipsesForm() { return std::make_unique<EclipsesForm>(); }

}  // namespace vsp
