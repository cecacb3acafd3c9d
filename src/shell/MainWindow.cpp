#include "shell/MainWindow.h"

#include <algorithm>
#include <string>

#include "shell/Commands.h"
#include "shell/Form.h"
#include "shell/FormOps.h"
#include "shell/Forms.h"
#include "shell/Startup.h"

namespace vsp {

namespace {

// The one radio of a group that is on.
void SelectRadio(FormWindow& form, Control& chosen) {
    for (const auto& c : form.Controls()) {
        if (c->Kind() == ControlKind::Radio && c->Group() == chosen.Group()) c->SetChecked(c.get() == &chosen);
    }
}

// What an edit field does with a key: printable characters are appended, Backspace takes the
// last one away. False for any other key.
bool TypeIntoEdit(Control& edit, const KeyPress& key) {
    std::string text = edit.Text();
    if (key.code == kKeyBackspace) {
        if (text.empty()) return true;
        text.pop_back();
    } else if (static_cast<unsigned char>(key.text) >= 0x20 && !key.ctrl) {
        text.push_back(key.text);
    } else {
        return false;
    }
    edit.SetText(text);
    return true;
}

// Up and Down move a list's selection (scrolling it into view), Enter picks the selected row.
enum class ListKey { None, Moved, Chosen };
ListKey StepList(Control& list, const KeyPress& key) {
    if (list.RowCount() == 0) return ListKey::None;
    if (key.code == kKeyEnter) return list.SelectionMark() >= 0 ? ListKey::Chosen : ListKey::None;
    if (key.code != kKeyUp && key.code != kKeyDown) return ListKey::None;
    const int from = list.SelectionMark();
    const int row = key.code == kKeyUp ? std::max(0, from - 1) : std::min(list.RowCount() - 1, from + 1);
    list.SetSelectionMark(row);
    list.SetRowState(row, true, true);
    list.EnsureVisible(row);
    return ListKey::Moved;
}

}  // namespace

void MainWindowHandler::HandleEvent(const Event& event) {
    // Procedures of forms closed during the previous event are freed now that nothing of
    // theirs is running.
    state_.retiredForms.clear();
    switch (event.kind) {
        case EventKind::Command: HandleCommand(state_, event.command, event.param); break;
        case EventKind::Tap: OnTap(event); break;
        case EventKind::Key: OnKey(event.key); break;
        case EventKind::KeyUp: OnKeyUp(event.key); break;
        case EventKind::Timer: OnTimer(event); break;
        case EventKind::Raise: state_.windows.BringToFront(); break;
        case EventKind::Paint: PaintMainWindow(state_); break;
        case EventKind::ScreenChanged: LayOutScreenAgain(state_); break;
    }
}

void MainWindowHandler::OnTap(const Event& event) {
    FormWindow* form = state_.currentFormWindow;
    if (!form || !form->Visible()) {
        // Only the bare main window can be hit: it leads home.
        if (state_.windows.HasMainWindow()) ShowForm(state_, kHomeFormId);
        return;
    }
    if (DragList(*form, event)) return;
    std::shared_ptr<Form> proc = FormOf(state_, form);
    Control* control = form->ControlAt(event.x, event.y);
    if (event.phase != TapPhase::Down && captureId_) {
        control = captureForm_ == form->Handle() ? form->FindControl(captureId_) : nullptr;
        if (event.phase == TapPhase::Up) captureId_ = 0;
        if (control && control->HookRef()) control->HookRef()->OnTap(*control, event.x, event.y, event.phase);
        return;
    }
    if (!TrackPress(*form, control, event)) return;
    if (!control) {
        if (proc) proc->OnTap(state_, *form, event.x, event.y, event.phase);
        return;
    }
    if (event.phase == TapPhase::Down) form->SetFocusedControl(control->Id());
    if (std::shared_ptr<ControlHook> hook = control->HookRef()) {
        if (event.phase == TapPhase::Down && hook->CapturesStylus()) {
            captureId_ = control->Id();
            captureForm_ = form->Handle();
        }
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
        case ControlKind::Radio:
            SelectRadio(*form, *control);
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

// A button shows pressed while the stylus holds it and is inside it; it acts when the stylus is
// lifted over it, and a stylus lifted elsewhere, or a button reached without being pressed,
// does nothing.
bool MainWindowHandler::TrackPress(FormWindow& form, const Control* under, const Event& event) {
    Control* pressed = pressForm_ == form.Handle() && pressId_ ? form.FindControl(pressId_) : nullptr;
    const bool overPressed = pressed && under == pressed;
    switch (event.phase) {
        case TapPhase::Down:
            if (pressed) pressed->SetPressed(false);
            pressId_ = under && under->Kind() == ControlKind::Button && !(under->Hook() && under->Hook()->CapturesStylus())
                           ? under->Id()
                           : 0;
            pressForm_ = form.Handle();
            if (pressId_) form.FindControl(pressId_)->SetPressed(true);
            return true;
        case TapPhase::Move:
            if (pressed) pressed->SetPressed(overPressed);
            return true;
        case TapPhase::Up:
            if (pressed) pressed->SetPressed(false);
            pressId_ = 0;
            if (under && under->Kind() == ControlKind::Button) return overPressed;
            return true;
    }
    return true;
}

// The stylus drawn over a list scrolls it, row by row, like a finger on a phone; a tap that did
// not move picks the row under it.
bool MainWindowHandler::DragList(FormWindow& form, const Event& event) {
    if (event.phase == TapPhase::Down) {
        Control* c = form.ControlAt(event.x, event.y);
        drag_ = c && c->Kind() == ControlKind::List && !c->Hook() ? ListDrag{c->Id(), event.y, c->TopRow(), false}
                                                                   : ListDrag{};
        return false;
    }
    Control* list = drag_.listId ? form.FindControl(drag_.listId) : nullptr;
    if (!list) return false;
    if (event.phase == TapPhase::Up) {
        const bool moved = drag_.moved;
        drag_ = ListDrag{};
        return moved;
    }
    const int rows = (drag_.startY - event.y) / list->RowHeight();
    if (rows != 0) drag_.moved = true;
    const int lastTop = std::max(0, list->RowCount() - list->VisibleRows());
    list->SetTopRow(std::clamp(drag_.startTop + rows, 0, lastTop));
    return true;
}

void MainWindowHandler::OnKey(const KeyPress& key) {
    if (const int command = TranslateAccelerator(key)) {
        HandleCommand(state_, command);
        return;
    }
    FormWindow* form = state_.currentFormWindow;
    if (!form) return;
    std::shared_ptr<Form> proc = FormOf(state_, form);
    if (Control* focused = form->FindControl(form->FocusedControl())) {
        if (std::shared_ptr<ControlHook> hook = focused->HookRef()) {
            if (hook->OnKey(*focused, key)) return;
        }
        if (DefaultControlKey(*form, *focused, key, proc.get())) return;
    }
    if (proc) proc->OnKey(state_, *form, key);
}

void MainWindowHandler::OnKeyUp(const KeyPress& key) {
    FormWindow* form = state_.currentFormWindow;
    if (!form) return;
    if (std::shared_ptr<Form> proc = FormOf(state_, form)) proc->OnKeyUp(state_, *form, key);
}

bool MainWindowHandler::DefaultControlKey(FormWindow& form, Control& focused, const KeyPress& key, Form* proc) {
    if (!focused.Visible()) return false;
    if (focused.Kind() == ControlKind::Edit) {
        if (!TypeIntoEdit(focused, key)) return false;
        if (proc) proc->OnControl(state_, form, focused.Id(), ControlNotify::TextChanged);
        return true;
    }
    if (focused.Kind() != ControlKind::List) return false;
    const ListKey step = StepList(focused, key);
    if (step == ListKey::Chosen) {
        PopupRowChosen(state_, form, focused.Id());
        if (proc) proc->OnControl(state_, form, focused.Id(), ControlNotify::RowChosen);
    }
    return step != ListKey::None;
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
