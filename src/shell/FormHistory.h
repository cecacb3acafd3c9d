#pragma once
// The seven-slot form history behind "back". Slot 0 holds the home form, slot 6 the open form,
// slots 1..5 earlier forms, oldest first.

#include "shell/AppState.h"

namespace vsp {

// Called by a form when it opens.
void EnterForm(AppState& state, int formId);
// Opens the form in slot 5 after shifting the history one place towards slot 6.
void BackToPreviousForm(AppState& state);
// The shift alone; answers the form the back step leads to.
int ShiftHistoryBack(AppState& state);

}  // namespace vsp
