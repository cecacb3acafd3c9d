#include "shell/Commands.h"

#include <iterator>

#include "scope/DriveTable.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/NightMode.h"
#include "shell/Product.h"
#include "shell/Startup.h"

namespace vsp {

namespace {

struct CommandForm {
    int command;
    int formId;
};

constexpr CommandForm kCommandForms[] = {
    {1001, 1400}, {1002, 1200}, {1003, 1900}, {1004, 1800}, {1005, 1300}, {1006, 2100},
    {1007, 112},  {1008, 6000}, {1011, 1950}, {1012, 2200}, {1014, 2350}, {1017, 2450},
    {1019, 2470}, {1020, 1550}, {1022, 2410}, {1023, 2600}, {1024, 2423}, {1025, 5200},
    {1026, 5300}, {1028, 2550}, {1029, 2700}, {1032, 2800}, {40015, 2830},
};

void RunHook(AppState& state, const std::function<void(AppState&)>& hook) {
    if (hook) hook(state);
}

}  // namespace

int FormForCommand(int command) {
    for (const CommandForm& c : kCommandForms) {
        if (c.command == command) return c.formId;
    }
    return -1;
}

void OpenBodyAssistant(AppState& state, AssistantBody body) {
    state.bodyAssistant.body = body;
    ShowForm(state, kPlanetMapFormId);
}

void ShowAbout(AppState& state) { InfoBox(state, kProductName, kAboutSecondLine); }

void DestroyMainWindow(AppState& state) {
    if (!state.windows.HasMainWindow()) return;
    ShutdownApplication(state);
    for (const OpenForm& f : state.openForms) state.retiredForms.push_back(f.form);
    state.openForms.clear();
    state.currentFormWindow = nullptr;
    state.openFormWindow = nullptr;
    state.registry.Clear();
    state.popupTriggers.clear();
    state.windows.DestroyMainWindow();
}

bool HandleCommand(AppState& state, int command, int64_t param) {
    if (const int formId = FormForCommand(command); formId >= 0) {
        ShowForm(state, formId);
        return true;
    }
    switch (command) {
        case kCommandQuit:
        case kCommandExit:
            DestroyMainWindow(state);
            return true;
        case 1009: OpenBodyAssistant(state, AssistantBody::Jupiter); return true;
        case 1010: OpenBodyAssistant(state, AssistantBody::Saturn); return true;
        case 1027: OpenBodyAssistant(state, AssistantBody::Mars); return true;
        case 1013:
            if (state.prefs.scopeDrive != drive_code::kNone) {
                RunHook(state, state.hooks.startScopeControl);
            } else {
                InfoBox(state, "Please chose a Telescope Drive in Preference 1/6.", "");
            }
            return true;
        case 1016: ShowAbout(state); return true;
        case 1031: RunHook(state, state.hooks.listLoadSave); return true;
        case 1033: RunHook(state, state.hooks.importMemo); return true;
        case 1034: RunHook(state, state.hooks.exportMemo); return true;
        case 1036: RunNightModeDialog(state); return true;
        case kCommandOpenForm: OpenFormCommand(state, param); return true;
        case kCommandPowerResume: return true;
        default: return false;
    }
}

int TranslateAccelerator(const KeyPress& key) {
    if (!key.ctrl) return 0;
    if (key.code == 'Q') return kCommandQuit;
    if (key.code == 'A') return 40003;
    return 0;
}

}  // namespace vsp
