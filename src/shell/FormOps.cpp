#include "shell/FormOps.h"

#include <algorithm>
#include <cstring>

#include "shell/Form.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/Scale.h"

namespace vsp {

namespace {

std::string IdText(int id) { return std::to_string(id); }

Control* CurrentControl(AppState& state, int id) {
    return state.currentFormWindow ? state.currentFormWindow->FindControl(id) : nullptr;
}

void SelectRow(Control& list, int row) {
    if (row == list.SelectionMark()) return;
    if (row == -1) {
        list.SetRowState(-1, false, false);
        list.SetSelectionMark(-1);
        return;
    }
    list.SetSelectionMark(row);
    list.SetRowState(row, true, true);
    list.EnsureVisible(row);
}

// Up and Down on a popup trigger step through its list.
class PopupTriggerHook : public ControlHook {
public:
    PopupTriggerHook(AppState& state, int listId) : state_(state), listId_(listId) {}

    bool OnKey(Control& trigger, const KeyPress& key) override {
        if (key.code != kKeyUp && key.code != kKeyDown) return false;
        Control* list = List();
        if (!list || list->RowCount() == 0) return true;
        int row = list->SelectionMark();
        row = key.code == kKeyUp ? std::max(0, row - 1) : std::min(list->RowCount() - 1, row + 1);
        SelectRow(*list, row);
        if (trigger.Kind() == ControlKind::PopupTrigger) trigger.SetText(list->Row(row)->text);
        FormWindow* window = state_.currentFormWindow;
        if (std::shared_ptr<Form> form = FormOf(state_, window)) {
            form->OnControl(state_, *window, listId_, ControlNotify::SelectionMoved);
        }
        return true;
    }

    bool OnTap(Control&, int, int, TapPhase phase) override {
        if (phase != TapPhase::Up) return true;
        Control* list = List();
        if (!list) return true;
        const bool opening = !list->Visible();
        // One popup list at a time: opening this one closes any other.
        if (opening) {
            for (const auto& [otherId, trigger] : state_.popupTriggers) {
                Control* other = CurrentControl(state_, otherId);
                if (other && otherId != listId_) other->SetVisible(false);
            }
        }
        list->SetVisible(opening);
        return true;
    }

private:
    Control* List() { return CurrentControl(state_, listId_); }

    AppState& state_;
    int listId_;
};

}  // namespace

bool SetField(AppState& state, int controlId, std::string_view text) {
    if (!state.currentFormWindow) return false;
    Control* c = state.currentFormWindow->FindControl(controlId);
    if (!c) {
        InfoBox(state, "SetField: NULL Obj ptr", IdText(controlId));
    } else {
        c->SetText(text);
    }
    return true;
}

int GetField(AppState& state, int controlId, char* buffer, size_t size) {
    if (buffer && size > 0) buffer[0] = '\0';
    if (!state.currentFormWindow) return 0;
    Control* c = state.currentFormWindow->FindControl(controlId);
    if (!c) {
        InfoBox(state, "GetField; Bad id " + IdText(controlId), "");
        return 1;
    }
    if (buffer && size > 0) {
        const size_t n = std::min(c->Text().size(), size - 1);
        std::memcpy(buffer, c->Text().data(), n);
        buffer[n] = '\0';
    }
    return 1;
}

bool ShowControl(AppState& state, FormWindow* window, int controlId, bool visible) {
    if (!window) window = state.currentFormWindow;
    Control* c = window ? window->FindControl(controlId) : nullptr;
    if (!c) {
        InfoBox(state, "Show: NULL Obj ptr", IdText(controlId));
        return false;
    }
    c->SetVisible(visible);
    return true;
}

int GetListSelection(AppState& state, int listId) {
    Control* list = CurrentControl(state, listId);
    if (!list) {
        InfoBox(state, "Get: NULL List ptr", IdText(listId));
        return -1;
    }
    return list->SelectionMark();
}

void SetListSelection(AppState& state, int listId, int row) {
    Control* list = CurrentControl(state, listId);
    if (!list) {
        InfoBox(state, "Set: NULL List ptr", IdText(listId));
        return;
    }
    SelectRow(*list, row);
}

bool AddListRow(AppState& state, int listId, std::string_view text) {
    Control* list = CurrentControl(state, listId);
    if (!list) return false;
    list->InsertRow(0, text);
    return true;
}

int PopupColumnWidth(const AppState& state, int listWidth, bool scrolls) {
    int width = listWidth - 4 - 11;
    if (scrolls) width -= state.windows.Caps().scrollBarWidth;
    return width;
}

int PopupListTop(const AppState& state, const Rect& trigger, int height) {
    const int limit = state.windows.Caps().screenHeight - ScaledY(state, kPopupBottomMargin);
    if (trigger.bottom + height <= limit) return trigger.bottom;
    return std::max(0, trigger.top - height);
}

bool SetPopupList(AppState& state, int triggerId, int listId, int rows, int visibleRows,
                  int selection) {
    Control* trigger = CurrentControl(state, triggerId);
    Control* list = CurrentControl(state, listId);
    if (!trigger || !list) {
        InfoBox(state, "Set: NULL List ptr", IdText(trigger ? listId : triggerId));
        return false;
    }
    if (rows < 0) rows = list->RowCount();
    if (visibleRows <= 0) visibleRows = rows + 1;
    const bool scrolls = rows > visibleRows;

    const int height = visibleRows * list->RowHeight();
    const Rect t = trigger->Bounds();
    const int width = list->Bounds().Width();
    // A list wider than the room right of its trigger opens leftwards, within the screen.
    const int left = std::max(0, std::min(t.left, state.windows.Caps().screenWidth - width));
    list->SetBounds(MakeRect(left, PopupListTop(state, t, height), width, height));
    list->SetColumnWidth(PopupColumnWidth(state, width, scrolls));
    list->SetFullRowSelect(true);
    list->Colours().background = state.windows.SystemColours().Get(kColourIndexMenu);
    list->Colours().text = state.display.foregroundPen;
    list->Colours().textBackground = state.display.backgroundBrush;
    list->SetVisible(false);
    if (selection >= 0 && selection < list->RowCount()) SelectRow(*list, selection);

    if (trigger->Subclass(std::make_unique<PopupTriggerHook>(state, listId))) {
        state.registry.Add(triggerId);
    }
    state.popupTriggers[listId] = triggerId;
    return true;
}

bool SetPopupLabel(AppState& state, int triggerId, std::string_view text) {
    Control* trigger = CurrentControl(state, triggerId);
    if (!trigger) return false;
    trigger->SetText(text);
    return true;
}

void PopupRowChosen(AppState& state, FormWindow& window, int listId) {
    auto binding = state.popupTriggers.find(listId);
    if (binding == state.popupTriggers.end()) return;
    Control* list = window.FindControl(listId);
    Control* trigger = window.FindControl(binding->second);
    if (!list || !trigger) return;
    list->SetVisible(false);
    const ListRow* row = list->Row(list->SelectionMark());
    if (row && trigger->Kind() == ControlKind::PopupTrigger) trigger->SetText(row->text);
}

}  // namespace vsp
