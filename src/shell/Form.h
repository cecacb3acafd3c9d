#pragma once
// The procedure of one form: what a form does when it opens, when its controls are used, when
// its timers tick and when it is left. Subsystems register a factory per form id.

#include <memory>

#include "platform/Control.h"
#include "platform/FormWindow.h"
#include "platform/Input.h"

namespace vsp {

class AppState;

// RowChosen: a list row was tapped or picked with Enter (a popup list has already closed and
// labelled its trigger). SelectionMoved: Up or Down on a popup trigger moved its list's
// selection (and label) by one row; a form whose popups hold settings takes it as chosen, a
// menu waits for the tap. TextChanged: the user typed into an edit field.
enum class ControlNotify { Click, RowChosen, SelectionMoved, TextChanged };

class Form {
public:
    virtual ~Form() = default;
    // The template the window is built from; its id is set to the form id by the shell.
    virtual FormTemplate BuildTemplate(AppState& state, int formId) = 0;
    // Called once the window exists. A form calls InitTitle (or BeginForm) first, then EnterForm.
    virtual void OnOpen(AppState& state, FormWindow& window) = 0;
    virtual void OnControl(AppState& state, FormWindow& window, int controlId, ControlNotify notify) {}
    virtual void OnTimer(AppState& state, FormWindow& window, int timerId) {}
    // A key no control took; true when handled.
    virtual bool OnKey(AppState& state, FormWindow& window, const KeyPress& key) { return false; }
    // A key was let go (after its OnKey, whoever took the press).
    virtual void OnKeyUp(AppState& state, FormWindow& window, const KeyPress& key) {}
    // A tap on the form outside any control.
    virtual void OnTap(AppState& state, FormWindow& window, int x, int y, TapPhase phase) {}
    // Command 9502, the form is being left: stop timers, release registered controls, destroy
    // the window. Forms that hold more release it and then call this.
    virtual void OnLeave(AppState& state, FormWindow& window);
};

}  // namespace vsp
