#include "shell/HomeForm.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "shell/Commands.h"
#include "shell/FormHistory.h"
#include "shell/FormOps.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/NightMode.h"
#include "shell/ProgressBox.h"
#include "shell/Scale.h"

namespace vsp {

namespace {

using A = HomeAction;
using B = AssistantBody;

constexpr HomeButton kButtons[] = {
    {5018, "Comet", A::OpenForm, 2550, B::None, 0, 0, 0},
    {5028, "Satellite", A::OpenForm, 2800, B::None, 0, 0, 0},
    {5113, "Sat", A::OpenForm, 2800, B::None, 0, 0, 0},
    {5049, "Load", A::LoadList, 0, B::None, 0, 0, 0},
    {5050, "Planet", A::OpenForm, 2450, B::None, 0, 0, 0},
    {5051, "Jup", A::Body, 0, B::Jupiter, 0, 0, 0},
    {5052, "Satu", A::Body, 0, B::Saturn, 0, 0, 0},
    {5115, "Mars", A::Body, 0, B::Mars, 0, 0, 0},
    {5053, "C", A::OpenForm, 2600, B::None, 0, 0, 0},
    {5054, "Eclipse", A::OpenForm, 2700, B::None, 0, 0, 0},
    {5059, "Find", A::OpenForm, 112, B::None, 0, 0, 0},
    {5060, "M", A::OpenForm, 1800, B::None, 0, 0, 0},
    {5080, "Sky", A::Sky, 0, B::None, 0, 0, 0},
    {5081, "Moon", A::OpenForm, 6000, B::None, 0, 0, 0},
    {5023, "Planet", A::QuickSelect, 0, B::None, 7, 45, 27},
    {5024, "Galaxy", A::QuickSelect, 0, B::None, 3, 0, 0},
    {5025, "Nebula", A::QuickSelect, 0, B::None, 4, 0, 0},
    {5027, "Cluster", A::QuickSelect, 0, B::None, 1, 0, 2},
    {5058, "OpenCluster", A::QuickSelect, 0, B::None, 1, 0, 6},
    {5061, "Best", A::QuickSelect, 0, B::None, 0, 49, 0},
    {5111, "NT", A::QuickSelect, 0, B::None, 0, 63, 0},
    {5089, "Inf", A::Help, 0, B::None, 0, 0, 0},
    {5146, "Clock", A::OpenForm, 5200, B::None, 0, 0, 0},
    {kHomeDoneButton, "Done", A::Exit, 0, B::None, 0, 0, 0},
};

// The picture on each button; the catalogue letters keep their text alone.
constexpr std::pair<int, IconId> kIcons[] = {
    {5018, IconId::Comet},        {5028, IconId::Satellite},   {5113, IconId::Satellite},
    {5049, IconId::ObjectList},   {5050, IconId::SolarSystem}, {5051, IconId::Jupiter},
    {5052, IconId::Saturn},       {5115, IconId::Mars},        {5054, IconId::Eclipse},
    {5059, IconId::Magnifier},    {5080, IconId::SkyChart},    {5081, IconId::Moon},
    {5023, IconId::SolarSystem},  {5024, IconId::Galaxy},      {5025, IconId::Nebula},
    {5027, IconId::GlobularCluster}, {5058, IconId::OpenCluster}, {5061, IconId::Best},
    {5089, IconId::Information},  {5146, IconId::Clock},       {kToolsTrigger, IconId::Wrench},
    {kDevicesTrigger, IconId::Telescope}, {kSettingsTrigger, IconId::Gear},
};

IconId IconOf(int controlId) {
    for (const auto& [id, icon] : kIcons) {
        if (id == controlId) return icon;
    }
    return IconId::None;
}

constexpr int kGridColumns = 4;
constexpr int kSummaryInset = 2;    // 96-dpi pixels between the summary and the buttons
constexpr int kSummaryHeight = 64;  // four lines of text and the insets
constexpr int kStripButtons = 3;  // Inf, clock and Done share the top strip with the triggers

struct PopupMenu {
    int trigger;
    int list;
    std::string_view label;
    const std::string_view* rows;
    int rowCount;
};

constexpr PopupMenu kPopups[] = {
    {kToolsTrigger, kToolsList, "Tools", kToolsRows, int(std::size(kToolsRows))},
    {kDevicesTrigger, kDevicesList, "Devices", kDevicesRows, int(std::size(kDevicesRows))},
    {kSettingsTrigger, kSettingsList, "Settings", kSettingsRows, int(std::size(kSettingsRows))},
};

template <typename F>
void RunIf(const F& hook, AppState& state) {
    if (hook) hook(state);
}

class HomeForm : public Form {
public:
    FormTemplate BuildTemplate(AppState&, int formId) override {
        FormTemplate t = NamedFormTemplate(formId);
        for (const HomeButton& b : kButtons) {
            t.controls.push_back({b.id, ControlKind::Button, std::string(b.label), Rect{}, true, IconOf(b.id)});
        }
        for (const PopupMenu& p : kPopups) {
            t.controls.push_back(
                {p.trigger, ControlKind::Button, std::string(p.label), Rect{}, true, IconOf(p.trigger)});
        }
        t.controls.push_back({kHomeSummaryText, ControlKind::StaticText, "", Rect{}});
        // Lists last, so an open list lies over the buttons.
        for (const PopupMenu& p : kPopups) {
            // Wide enough for "N StarsAlignement", the longest row.
            t.controls.push_back({p.list, ControlKind::List, "", Rect{0, 0, 128, 0}, false});
        }
        t.controls.push_back(ProgressBoxTemplate());
        return t;
    }

    void OnOpen(AppState& state, FormWindow& window) override {
        BeginForm(state, window);
        EnterForm(state, kHomeFormId);
        const DeviceCaps& caps = state.windows.Caps();
        window.SetBounds(Rect{0, 0, caps.screenWidth, caps.screenHeight - ScaledY(state, kMenuBarHeight)});
        LayOut(state, window);
        for (const PopupMenu& p : kPopups) {
            // Rows go in bottom first: each new row is inserted at the top.
            for (int i = p.rowCount - 1; i >= 0; --i) AddListRow(state, p.list, p.rows[i]);
            SetPopupList(state, p.trigger, p.list, -1, 0, -1);
        }
        state.loop.SetTimer(window.Handle(), kHomeTimerId, kHomeTimerPeriodMs);
        // Drawn for the observing time set while the home form was away.
        if (state.hooks.refreshHomeView) state.hooks.refreshHomeView(state, window);
        // A start without a location goes on to the Location form; its back leads home.
        if (std::exchange(state.locationNeeded, false)) ShowForm(state, kLocationFormId);
    }

    void OnTimer(AppState& state, FormWindow& window, int timerId) override {
        if (timerId == kHomeTimerId && state.hooks.refreshHomeView) state.hooks.refreshHomeView(state, window);
    }

    void OnControl(AppState& state, FormWindow& window, int controlId, ControlNotify notify) override {
        if (notify == ControlNotify::RowChosen) {
            const int row = GetListSelection(state, controlId);
            if (controlId == kToolsList) HomeToolsRow(state, row);
            if (controlId == kDevicesList) HomeDevicesRow(state, row);
            if (controlId == kSettingsList) HomeSettingsRow(state, row);
            return;
        }
        const HomeButton* b = FindHomeButton(controlId);
        if (!b) return;
        switch (b->action) {
            case A::OpenForm: ShowForm(state, b->formId); break;
            case A::Body: OpenBodyAssistant(state, b->body); break;
            case A::LoadList: RunIf(state.hooks.loadList, state); break;
            case A::Sky:
                if (state.hooks.currentListCount && state.hooks.currentListCount(state) >= 1) {
                    ShowForm(state, kSkyChartFormId);
                } else {
                    QuickSelection(state, 0, 0, 0);
                }
                break;
            case A::Help: InfoBox(state, kHomeHelpFirstPart, kHomeHelpSecondLine); break;
            case A::QuickSelect: QuickSelection(state, b->kind, b->catalog, b->typeFilter); break;
            case A::Exit: state.loop.PostCommand(kCommandExit); break;
            case A::None: break;
        }
    }

private:
    // The icon grid fills the client area under a strip holding the three menus and the
    // Inf, clock and Done buttons.
    static void LayOut(AppState& state, FormWindow& window) {
        const Rect client = window.Bounds();
        const int stripHeight = ScaledY(state, kMenuBarHeight);
        const int stripCells = int(std::size(kPopups)) + kStripButtons;
        const int stripWidth = client.Width() / stripCells;
        int cell = 0;
        for (const PopupMenu& p : kPopups) {
            window.FindControl(p.trigger)->SetBounds(MakeRect(cell++ * stripWidth, 0, stripWidth, stripHeight));
        }
        const int gridCount = int(std::size(kButtons)) - kStripButtons;
        const int gridRows = (gridCount + kGridColumns - 1) / kGridColumns;
        const int cellWidth = client.Width() / kGridColumns;
        // The last row is as tall as the summary's lines need; the others share the rest, and
        // what their whole-pixel share leaves over goes to the last row, down to the bottom.
        const int inset = ScaledX(state, kSummaryInset);
        const int gridHeight = client.Height() - stripHeight;
        const int cellHeight = (gridHeight - std::max(gridHeight / gridRows, ScaledY(state, kSummaryHeight))) /
                               (gridRows - 1);
        const int lastRowHeight = gridHeight - (gridRows - 1) * cellHeight;
        for (int i = 0; i < int(std::size(kButtons)); ++i) {
            Control* c = window.FindControl(kButtons[i].id);
            if (i >= gridCount) {
                c->SetBounds(MakeRect(cell++ * stripWidth, 0, stripWidth, stripHeight));
            } else {
                const int row = i / kGridColumns;
                c->SetBounds(MakeRect(i % kGridColumns * cellWidth, stripHeight + row * cellHeight, cellWidth,
                                      row == gridRows - 1 ? lastRowHeight : cellHeight));
            }
        }
        const int freeCells = gridRows * kGridColumns - gridCount;
        window.FindControl(kHomeSummaryText)
            ->SetBounds(MakeRect((kGridColumns - freeCells) * cellWidth + inset,
                                 stripHeight + (gridRows - 1) * cellHeight + inset, freeCells * cellWidth - 2 * inset,
                                 lastRowHeight - inset));
    }
};

}  // namespace

std::unique_ptr<Form> MakeHomeForm() { return std::make_unique<HomeForm>(); }

const HomeButton* FindHomeButton(int controlId) {
    for (const HomeButton& b : kButtons) {
        if (b.id == controlId) return &b;
    }
    return nullptr;
}

void HomeToolsRow(AppState& state, int row) {
    static constexpr int kForms[] = {0, 2410, 2830, 2423, 2200};
    if (row == 0) {
        RunNightModeDialog(state);
        state.currentFormId = kHomeFormId;
    } else if (row >= 1 && row <= 4) {
        ShowForm(state, kForms[row]);
    } else if (row == 5) {
        state.loop.PostCommand(kCommandExit);
    }
}

void HomeDevicesRow(AppState& state, int row) {
    static constexpr int kForms[] = {2400, 1300, 2100, 2470, 5300, 1550};
    if (row >= 0 && row < int(std::size(kForms))) ShowForm(state, kForms[row]);
}

void HomeSettingsRow(AppState& state, int row) {
    if (row == 0) ShowForm(state, 1400);
    if (row == 1) ShowForm(state, kLocationFormId);
    if (row == 2) ShowAbout(state);
}

std::string_view QuickSelectionText(int kind, int catalog) {
    switch (kind) {
        case 1: return "visible Globular Clusters.";
        case 3: return "visible Galaxies.";
        case 4: return "visible Nebulae.";
        case 6: return "visible Multiple Stars.";
        case 7: return "visible Planets.";
        case 0:
            switch (catalog) {
                case 9: return "visible Caldwells.";
                case 12: return "visible comets.";
                case 25: return "visible Herschels.";
                case 40: return "visible Messiers.";
                case 49: return "visible best SAC Objects.";
                case 54: return "visible bright stars.";
                case 63: return "visible personnal objects.";
                default: return "all visible objects.";
            }
        default: return "";
    }
}

bool LocationUnset(const AppState& state) {
    return state.prefs.site.latitude == 0.0f && state.prefs.site.longitude == 0.0f;
}

bool QuickSelection(AppState& state, int kind, int catalog, int typeFilter) {
    if (LocationUnset(state)) {
        InfoBox(state, "Please set your location first!", "");
        return false;
    }
    ShowProgressBox(state, "Please wait, selecting", QuickSelectionText(kind, catalog));
    if (state.hooks.selectVisible) state.hooks.selectVisible(state, kind, catalog, typeFilter);
    HideProgressBox(state);
    ShowForm(state, kSkyChartFormId);
    return true;
}

}  // namespace vsp
