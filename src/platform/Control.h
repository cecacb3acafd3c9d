#pragma once
// The controls of a form window and the templates they are built from. Both backends share
// this model; a backend only draws it and feeds it input.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Colour.h"
#include "platform/Geometry.h"
#include "platform/Input.h"
#include "platform/tables/IconIds.h"

namespace vsp {

class Canvas;  // the drawing surface of the rendering layer
class Control;

enum class ControlKind { Button, TitleButton, StaticText, Edit, List, CheckBox, Radio, PopupTrigger };

struct ControlTemplate {
    int id = 0;
    ControlKind kind = ControlKind::Button;
    std::string text;  // narrow, device code page
    Rect rect;         // 96-dpi layout pixels
    bool visible = true;
    IconId icon = IconId::None;  // a button's picture, drawn above its text
    int group = 0;               // radios of one group exclude each other
};

struct FormTemplate {
    int id = 0;
    std::string title;
    std::vector<ControlTemplate> controls;
};

// A per-control replacement of the default behaviour (the handheld's subclassing). Each
// handler answers true when it dealt with the input itself.
class ControlHook {
public:
    virtual ~ControlHook() = default;
    virtual bool OnTap(Control& control, int x, int y, TapPhase phase) { return false; }
    // True: once the stylus went down on the control, its moves and its lifting come here
    // wherever they happen (a control that acts while it is held must see the release).
    virtual bool CapturesStylus() const { return false; }
    virtual bool OnKey(Control& control, const KeyPress& key) { return false; }
    // Draws the control in its place `box` on `canvas` (clipped to it) instead of the default.
    virtual bool OnPaint(const Control& control, Canvas& canvas, const Rect& box) { return false; }
};

struct ListRow {
    std::string text;
    bool selected = false;
    bool focused = false;
};

// Colours a list was given; one left unset follows the window's system colours.
struct ListColours {
    std::optional<Colour> background;
    std::optional<Colour> text;
    std::optional<Colour> textBackground;
};

class Control {
public:
    Control(const ControlTemplate& tmpl, const Rect& deviceRect, int listRowHeight);

    int Id() const { return id_; }
    ControlKind Kind() const { return kind_; }

    const std::string& Text() const { return text_; }
    void SetText(std::string_view text) { text_.assign(text); }
    const Rect& Bounds() const { return rect_; }
    void SetBounds(const Rect& rect) { rect_ = rect; }
    IconId Icon() const { return icon_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    // A button held down under the stylus.
    bool Pressed() const { return pressed_; }
    void SetPressed(bool pressed) { pressed_ = pressed; }
    int Group() const { return group_; }

    // List rows. A list allows one selected row at a time and one focused row.
    int RowCount() const { return int(rows_.size()); }
    const ListRow* Row(int index) const;
    // Inserts before `index` (clamped to the ends); answers the row's index.
    int InsertRow(int index, std::string_view text);
    void DeleteAllRows();
    // Row -1 applies the state to every row.
    void SetRowState(int row, bool selected, bool focused);
    int SelectionMark() const { return selectionMark_; }
    void SetSelectionMark(int row) { selectionMark_ = row; }
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
    int RowHeight() const { return rowHeight_; }
    int VisibleRows() const;
    void EnsureVisible(int row);
    // The row under a point inside the control, or -1.
    int RowAt(int y) const;

    ListColours& Colours() { return colours_; }
    const ListColours& Colours() const { return colours_; }
    int ColumnWidth() const { return columnWidth_; }
    void SetColumnWidth(int width) { columnWidth_ = width; }
    // Column widths in device pixels for rows whose cells are separated by '\t'; a list
    // without columns draws each row as one text.
    const std::vector<int>& Columns() const { return columns_; }
    void SetColumns(std::vector<int> widths) { columns_ = std::move(widths); }
    bool FullRowSelect() const { return fullRowSelect_; }
    void SetFullRowSelect(bool on) { fullRowSelect_ = on; }

    // Subclassing: false when a hook is already attached.
    bool Subclass(std::unique_ptr<ControlHook> hook);
    // Restores the default behaviour and frees the hook's state (a caller still running the
    // hook keeps it alive through the reference it took with HookRef).
    void ReleaseSubclass() { hook_.reset(); }
    ControlHook* Hook() const { return hook_.get(); }
    std::shared_ptr<ControlHook> HookRef() const { return hook_; }

private:
    int id_;
    ControlKind kind_;
    std::string text_;
    Rect rect_;
    bool visible_;
    IconId icon_;
    bool checked_ = false;
    bool pressed_ = false;
    std::vector<ListRow> rows_;
    int selectionMark_ = -1;
    int topRow_ = 0;
    int rowHeight_;
    ListColours colours_;
    int columnWidth_ = 0;
    std::vector<int> columns_;
    bool fullRowSelect_ = false;
    int group_;
    std::shared_ptr<ControlHook> hook_;
};

}  // namespace vsp
