#pragma once
// Field and list operations on the controls of the current form. A control id the form lacks
// gives the operation's box and the operation does nothing.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/FormWindow.h"
#include "shell/AppState.h"

namespace vsp {

// Puts narrow text into a control. Answers whether a current form exists.
bool SetField(AppState& state, int controlId, std::string_view text);
// Copies a control's text into `buffer` (at most `size` bytes with the terminating zero; the
// buffer is emptied first). Answers 1 when a current form exists, else 0: the documented
// result of the form operation.
int GetField(AppState& state, int controlId, char* buffer, size_t size);
// Shows or hides a control of `window` (the current form when null).
bool ShowControl(AppState& state, FormWindow* window, int controlId, bool visible);

// The list's selection mark, or -1.
int GetListSelection(AppState& state, int listId);
// Row -1 clears the selection; another row becomes the selection, focused and scrolled into
// view. Nothing happens when the row is already the selection.
void SetListSelection(AppState& state, int listId, int row);
// Inserts a row at the top of the list: rows appear in the reverse order of the calls.
bool AddListRow(AppState& state, int listId, std::string_view text);

// Binds a trigger button and its list on the current form. `rows` -1 counts the list's rows;
// `visibleRows` <= 0 means rows + 1. The list is hidden until the trigger is tapped.
bool SetPopupList(AppState& state, int triggerId, int listId, int rows, int visibleRows,
                  int selection);
// Puts `text` on a popup trigger.
bool SetPopupLabel(AppState& state, int triggerId, std::string_view text);
// Where SetPopupList puts a list of `height` pixels for a trigger at `trigger`.
int PopupListTop(const AppState& state, const Rect& trigger, int height);
// Width of the popup list's one column.
int PopupColumnWidth(const AppState& state, int listWidth, bool scrolls);

// A row of a popup list was tapped: the list closes and the trigger shows the row.
void PopupRowChosen(AppState& state, FormWindow& window, int listId);

}  // namespace vsp
