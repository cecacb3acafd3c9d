#include "platform/Control.h"

#include <algorithm>

namespace vsp {

Control::Control(const ControlTemplate& tmpl, const Rect& deviceRect, int listRowHeight)
    : id_(tmpl.id),
      kind_(tmpl.kind),
      text_(tmpl.text),
      rect_(deviceRect),
      visible_(tmpl.visible),
      icon_(tmpl.icon),
      rowHeight_(std::max(1, listRowHeight)),
      columnWidth_(deviceRect.Width()),
      group_(tmpl.group) {}

const ListRow* Control::Row(int index) const {
    if (index < 0 || index >= RowCount()) return nullptr;
    return &rows_[size_t(index)];
}

int Control::InsertRow(int index, std::string_view text) {
    index = std::clamp(index, 0, RowCount());
    rows_.insert(rows_.begin() + index, ListRow{std::string(text)});
    // Rows below the insertion point move down; so do the marks that point at them.
    if (selectionMark_ >= index) ++selectionMark_;
    return index;
}

void Control::DeleteAllRows() {
    rows_.clear();
    selectionMark_ = -1;
    topRow_ = 0;
}

void Control::SetRowState(int row, bool selected, bool focused) {
    if (row == -1) {
        for (ListRow& r : rows_) {
            r.selected = selected;
            r.focused = focused;
        }
        return;
    }
    if (row < 0 || row >= RowCount()) return;
    for (int i = 0; i < RowCount(); ++i) {
        if (i == row) continue;
        if (selected) rows_[size_t(i)].selected = false;
        if (focused) rows_[size_t(i)].focused = false;
    }
    rows_[size_t(row)].selected = selected;
    rows_[size_t(row)].focused = focused;
}

void Control::SetTopRow(int row) {
    topRow_ = std::clamp(row, 0, std::max(0, RowCount() - 1));
}

int Control::VisibleRows() const { return std::max(1, rect_.Height() / rowHeight_); }

void Control::EnsureVisible(int row) {
    if (row < 0 || row >= RowCount()) return;
    if (row < topRow_) {
        topRow_ = row;
    } else if (row >= topRow_ + VisibleRows()) {
        topRow_ = row - VisibleRows() + 1;
    }
}

int Control::RowAt(int y) const {
    if (y < rect_.top || y >= rect_.bottom) return -1;
    int row = topRow_ + (y - rect_.top) / rowHeight_;
    return row < RowCount() ? row : -1;
}

bool Control::Subclass(std::unique_ptr<ControlHook> hook) {
    if (hook_ || !hook) return false;
    hook_ = std::move(hook);
    return true;
}

}  // namespace vsp
