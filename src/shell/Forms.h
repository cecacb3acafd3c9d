#pragma once
// Switching forms: ShowForm posts command 9900, whose handling creates the form; a form's
// title set-up makes it current; leaving a form (command 9502) closes it.

#include "platform/FormWindow.h"
#include "shell/AppState.h"

namespace vsp {

// Closes the open form, makes the main window full screen and asks for `formId`.
void ShowForm(AppState& state, int formId);
// The full-screen part of ShowForm: hide the open form, shell full screen, main window over
// the screen and repainted, the form being left sent command 9502.
void MakeMainWindowFullScreen(AppState& state);
// The screen changed scale: the scale factors are computed again and the current form is
// opened afresh, laid out for the new screen.
void LayOutScreenAgain(AppState& state);
// Command 9900: creates the form whose id is in the low 16 bits of `param`.
void OpenFormCommand(AppState& state, int64_t param);
// Paints the bare main window with the background brush.
void PaintMainWindow(AppState& state);

// Makes `window` the current form, closing any other form window still open.
void BeginForm(AppState& state, FormWindow& window);
// BeginForm, then the title control (id 8000..8033 or the title kind) is subclassed to draw
// the title and go back when tapped, sized to its text, and recorded in the registry.
void InitTitle(AppState& state, FormWindow& window);
// Releases every registered control of the form, empties the registry and destroys the window.
void CloseFormWindow(AppState& state, FormWindow* window);
// Sends command 9502 to the form of `window`.
void LeaveForm(AppState& state, FormWindow* window);

// The procedure of an open form window, or null.
std::shared_ptr<Form> FormOf(AppState& state, const FormWindow* window);
FormWindow* FindOpenForm(AppState& state, WindowHandle handle);

// A form with its title and the line saying what it will hold (nothing for an empty screen
// name).
std::unique_ptr<Form> MakeEmptyForm();

}  // namespace vsp
