#include "shell/MainWindow.h"

#include "shell/Commands.h"
#include "shell/Form.h"
#include "shell/FormOps.h"
#include "shell/Forms.h"
#include "shell/Startup.h"

namespace vsp {

void MainWindowHandler::HandleEvent(const Event& event) {
    // Procedures of forms closed during the previous event are freed now that nothing of
    // theirs is running.
    state_.retiredForms.clear();
    switch (event.kind) {
        case EventKind::Command: HandleCommand(state_, event.command, event.param); break;
        case EventKind::Tap: OnTap(event); break;
        case EventKind::Key: OnKey(event.key); break;
        case EventKind::Timer: OnTimer(event); break;
        case EventKind::Raise: state_.windows.BringToFront(); break;
        case EventKind::Paint: PaintMainWindow(state_); break;
    }
}

void MainWindowHandler::OnTap(const Event& event) {
    FormWindow* form = state_.currentFormWindow;
    if (!form || !form->Visible()) {
        // Only the bare main window can be hit: it leads home.
        if (state_.windows.HasMainWindow()) ShowForm(state_, kHomeFormId);
        return;
    }
    std::shared_ptr<Form> proc = FormOf(state_, form);
    Control* control = form->ControlAt(event.x, event.y);
    if (!control) {
        if (proc) proc->OnTap(state_, *form, event.x, event.y, event.phase);
        return;
    }
    if (event.phase == TapPhase::Down) form->SetFocusedControl(control->Id());
    if (std::shared_ptr<ControlHook> hook = control->HookRef()) {
        if (hook->OnTap(*control, event.x, event.y, event.phase)) return;
    }
    if (event.phase != TapPhase::Up || !proc) return;
    const int id = control->Id();
    switch (control->Kind()) {
        case ControlKind::List: {
            const int row = control->RowAt(event.y);
            if (row < 0) return;
            control->SetSelectionMark(row);
            control->SetRowState(row, true, true);
            PopupRowChosen(state_, *form, id);
            proc->OnControl(state_, *form, id, ControlNotify::RowChosen);
            break;
        }
        case ControlKind::CheckBox:
            control->SetChecked(!control->Checked());
            proc->OnControl(state_, *form, id, ControlNotify::Click);
            break;
        case ControlKind::Button:
        case ControlKind::TitleButton:
        case ControlKind::PopupTrigger:
            proc->OnControl(state_, *form, id, ControlNotify::Click);
            break;
        case ControlKind::StaticText:
        case ControlKind::Edit:
            break;
    }
}

void MainWindowHandler::OnKey(const KeyPress& key) {
    if (const int command = TranslateAccelerator(key)) {
        HandleCommand(state_, command);
        return;
    }
    FormWindow* form = state_.currentFormWindow;
    if (!form) return;
    if (Control* focused = form->FindControl(form->FocusedControl())) {
        if (std::shared_ptr<ControlHook> hook = focused->HookRef()) {
            if (hook->OnKey(*focused, key)) return;
        }
    }
    if (std::shared_ptr<Form> proc = FormOf(state_, form)) proc->OnKey(state_, *form, key);
}

void MainWindowHandler::OnTimer(const Event& event) {
    if (event.window == kMainWindowHandle) {
        if (event.timerId == kRaisePollTimerId && state_.services.takeRaiseRequest &&
            state_.services.takeRaiseRequest()) {
            state_.windows.BringToFront();
        }
        return;
    }
    FormWindow* form = FindOpenForm(state_, event.window);
    if (!form) return;
    if (std::shared_ptr<Form> proc = FormOf(state_, form)) proc->OnTimer(state_, *form, event.timerId);
}

int RunApplication(AppState& state) {
    if (StartApplication(state) != StartResult::Started) return 1;
    MainWindowHandler handler(state);
    return state.loop.Run(handler);
}

}  // namespace vsp
