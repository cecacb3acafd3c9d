#include "platform/FormPainter.h"

#include <algorithm>

#include "platform/Icons.h"
#include "platform/PaintParts.h"

namespace vsp {

namespace {

// 96-dpi layout lengths.
constexpr int kTextPadding = 2;
constexpr int kEditPadding = 4;
constexpr int kTitlePadding = 6;  // each side of a title's text
constexpr int kCheckBoxSide = 13;
constexpr int kCheckGap = 4;
constexpr int kArrowWidth = 7;
constexpr int kScrollBarWidth = 4;
constexpr int kBevelWidth = 2;

struct PaintContext {
    Canvas& canvas;
    const PaintPalette& palette;
    double scale;
    Rect box;  // the control's rectangle on the canvas
    bool focused;
    int S(int length) const { return Scaled(length, scale); }
};

// The top of one line of `font` centred in `box`.
int CentredTop(const Canvas& canvas, const Rect& box, FontId font) {
    return box.top + (box.Height() - canvas.MeasureText("", font).height) / 2;
}

void PaintTitle(const PaintContext& pc, const Control& c) {
    const Rect& r = pc.box;
    FillRect(pc.canvas, r, pc.palette.caption);
    pc.canvas.SetTextColour(pc.palette.captionText);
    DrawClippedText(pc.canvas, r, r.left + pc.S(kTitlePadding), CentredTop(pc.canvas, r, FontId::Bold),
                    c.Text(), FontId::Bold);
}

void PaintStaticText(const PaintContext& pc, const Control& c) {
    const Rect& r = pc.box;
    const int pad = pc.S(kTextPadding);
    const int lineHeight = pc.canvas.MeasureText("", FontId::Normal).height;
    pc.canvas.SetTextColour(c.Colours().text.value_or(pc.palette.windowText));
    int y = r.top;
    for (const std::string& line : WrapText(pc.canvas, c.Text(), FontId::Normal, r.Width() - 2 * pad)) {
        if (y >= r.bottom) break;
        DrawClippedText(pc.canvas, r, r.left + pad, y, line, FontId::Normal);
        y += lineHeight;
    }
}

void PaintEdit(const PaintContext& pc, const Control& c) {
    const Rect& r = pc.box;
    FillRect(pc.canvas, r, pc.palette.window);
    DrawBevel(pc.canvas, r, Bevel::Sunken, pc.palette);
    const Rect inner{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    const int x = inner.left + pc.S(kEditPadding) - 2, y = CentredTop(pc.canvas, inner, FontId::Normal);
    pc.canvas.SetTextColour(pc.palette.windowText);
    DrawClippedText(pc.canvas, inner, x, y, c.Text(), FontId::Normal);
    if (!pc.focused) return;
    const TextExtent size = pc.canvas.MeasureText(c.Text(), FontId::Normal);
    const int caretX = std::min(x + size.width, inner.right - 2);
    pc.canvas.SetForeColour(pc.palette.windowText);
    pc.canvas.DrawLine(caretX, std::max(y, inner.top), caretX, std::min(y + size.height, inner.bottom) - 1);
}

// The label right of a check box or radio mark of `side` pixels.
void PaintMarkLabel(const PaintContext& pc, const Control& c, int side) {
    const Rect& r = pc.box;
    const Rect label{r.left + side + pc.S(kCheckGap), r.top, r.right, r.bottom};
    pc.canvas.SetTextColour(pc.palette.windowText);
    DrawClippedText(pc.canvas, label, label.left, CentredTop(pc.canvas, r, FontId::Normal), c.Text(),
                    FontId::Normal);
}

// A ring, filled in the middle when the radio is on.
void PaintRadio(const PaintContext& pc, const Control& c) {
    const Rect& r = pc.box;
    const int side = std::min(pc.S(kCheckBoxSide), r.Height()) | 1;
    const int radius = side / 2, cx = r.left + radius, cy = r.top + r.Height() / 2;
    pc.canvas.SetForeColour(pc.palette.window);
    pc.canvas.FillCircle(cx, cy, radius);
    pc.canvas.SetForeColour(pc.palette.windowText);
    pc.canvas.DrawCircle(cx, cy, radius);
    if (c.Checked()) pc.canvas.FillCircle(cx, cy, std::max(1, radius / 2));
    PaintMarkLabel(pc, c, side);
}

void PaintCheckBox(const PaintContext& pc, const Control& c) {
    const Rect& r = pc.box;
    const int side = std::min(pc.S(kCheckBoxSide), r.Height());
    const Rect box = MakeRect(r.left, r.top + (r.Height() - side) / 2, side, side);
    FillRect(pc.canvas, box, pc.palette.window);
    DrawFrame(pc.canvas, box, pc.palette.windowText);
    if (c.Checked()) {
        // A tick of three strokes, two pixels thick at any scale.
        const int u = std::max(1, side / 8);
        const int x0 = box.left + 2 * u, x1 = box.left + side * 3 / 8 + u / 2, x2 = box.right - 2 * u - 1;
        const int y0 = box.top + side / 2, y1 = box.bottom - 3 * u, y2 = box.top + 2 * u + 1;
        pc.canvas.SetForeColour(pc.palette.windowText);
        for (int t = 0; t < std::max(2, side / 6); ++t) {
            pc.canvas.DrawLine(x0, y0 + t - 1, x1, y1 + t - 1);
            pc.canvas.DrawLine(x1, y1 + t - 1, x2, y2 + t - 1);
        }
    }
    PaintMarkLabel(pc, c, side);
}

void PaintPopupTrigger(const PaintContext& pc, const Control& c) {
    const Rect& r = pc.box;
    const int arrow = pc.S(kArrowWidth) | 1;  // odd, so that the point is one pixel
    const int arrowLeft = r.right - arrow - pc.S(kTextPadding);
    pc.canvas.SetTextColour(pc.palette.windowText);
    DrawClippedText(pc.canvas, Rect{r.left, r.top, arrowLeft, r.bottom}, r.left + pc.S(kTextPadding),
                    CentredTop(pc.canvas, r, FontId::Normal), c.Text(), FontId::Normal);
    pc.canvas.SetForeColour(pc.palette.windowText);
    const int top = r.top + (r.Height() - arrow / 2) / 2;
    for (int i = 0; i <= arrow / 2; ++i) pc.canvas.DrawLine(arrowLeft + i, top + i, arrowLeft + arrow - 1 - i, top + i);
}

// The text scale at which an icon's label fits `width`: the display's, or up to two steps of a
// tenth smaller, so that the system's texts stay whole under their icons.
double LabelScale(const PaintContext& pc, std::string_view text, int width) {
    double scale = pc.scale;
    for (int step = 0; step < 2; ++step, scale *= 0.9) {
        pc.canvas.SetTextScale(scale);
        if (pc.canvas.MeasureText(text, FontId::Small).width <= width) break;
    }
    return scale;
}

// The icon centred in the button, with the text under it in the small font when both fit;
// a button too small for any icon shows its text only. The icon is ink in the text colour
// over the face, so it takes whatever colours the system table holds.
void PaintButton(const PaintContext& pc, const Control& c) {
    const Rect& r = pc.box;
    const Rect inner{r.left + kBevelWidth, r.top + kBevelWidth, r.right - kBevelWidth, r.bottom - kBevelWidth};
    const IconImage icon = FindIcon(c.Icon(), pc.scale, std::min(inner.Width(), inner.Height()));
    if (icon.side == 0) {
        PaintPushButton(pc.canvas, r, c.Text(), pc.palette, c.Pressed());
        return;
    }
    PaintButtonFace(pc.canvas, r, pc.palette, c.Pressed());
    pc.canvas.SetTextScale(LabelScale(pc, c.Text(), inner.Width()));
    const TextExtent label = pc.canvas.MeasureText(c.Text(), FontId::Small);
    const bool withLabel = icon.side + label.height <= inner.Height();
    const int top = inner.top + (inner.Height() - icon.side - (withLabel ? label.height : 0)) / 2;
    pc.canvas.SetTextColour(pc.palette.buttonText);
    pc.canvas.BlendCoverage(inner.left + (inner.Width() - icon.side) / 2, top, icon.side, icon.side, icon.coverage);
    // A label still wider than the button keeps its beginning, which says more than its middle.
    if (withLabel) {
        DrawClippedText(pc.canvas, inner, inner.left + std::max(0, (inner.Width() - label.width) / 2),
                        top + icon.side, c.Text(), FontId::Small);
    }
    pc.canvas.SetTextScale(pc.scale);
}

int ScrollBarWidth(const PaintContext& pc) { return std::max(2, pc.S(kScrollBarWidth)); }

void PaintListScrollBar(const PaintContext& pc, const Control& c, const Rect& r) {
    const int width = ScrollBarWidth(pc);
    const Rect trough{r.right - width, r.top, r.right, r.bottom};
    FillRect(pc.canvas, trough, pc.palette.scrollBar);
    const int rows = c.RowCount(), shown = c.VisibleRows();
    const int thumbTop = trough.top + trough.Height() * c.TopRow() / rows;
    const int thumbHeight = std::max(width, trough.Height() * shown / rows);
    FillRect(pc.canvas, Rect{trough.left, thumbTop, trough.right, std::min(trough.bottom, thumbTop + thumbHeight)},
             pc.palette.darkShadow);
}

// A row's text, or with columns each '\t'-separated cell clipped to its column.
void PaintRowCells(const PaintContext& pc, const Control& c, const Rect& row, std::string_view text) {
    const int pad = pc.S(kTextPadding);
    const int top = CentredTop(pc.canvas, row, FontId::Normal);
    if (c.Columns().empty()) {
        DrawClippedText(pc.canvas, row, row.left + pad, top, text, FontId::Normal);
        return;
    }
    int left = row.left;
    size_t start = 0;
    for (int width : c.Columns()) {
        const size_t tab = text.find('\t', start);
        // A cell too long for its column stops short of the next one, so the two never touch.
        const Rect cell = Intersect(Rect{left, row.top, left + width - pad, row.bottom}, row);
        const std::string shown = FittedText(pc.canvas, text.substr(start, tab - start), FontId::Normal, cell.Width() - pad);
        DrawClippedText(pc.canvas, cell, cell.left + pad, top, shown, FontId::Normal);
        if (tab == std::string_view::npos) return;
        start = tab + 1;
        left += width;
    }
}

void PaintList(const PaintContext& pc, const Control& c) {
    const Rect& r = pc.box;
    const ListColours& own = c.Colours();
    FillRect(pc.canvas, r, own.background.value_or(pc.palette.window));
    DrawFrame(pc.canvas, r, pc.palette.windowFrame);
    const Rect inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    const bool scrolls = c.RowCount() > c.VisibleRows();
    const int barWidth = scrolls ? ScrollBarWidth(pc) : 0;
    const Rect rowsArea{inner.left, inner.top, inner.right - barWidth, inner.bottom};
    const int pad = pc.S(kTextPadding);
    for (int i = 0; i < c.VisibleRows(); ++i) {
        const ListRow* row = c.Row(c.TopRow() + i);
        if (!row) break;
        const int top = inner.top + i * c.RowHeight();
        const Rect cell{rowsArea.left, top, std::min(rowsArea.right, rowsArea.left + c.ColumnWidth()),
                        std::min(top + c.RowHeight(), rowsArea.bottom)};
        // The text's own box; a full-row selection marks the whole row instead.
        const int textWidth = pc.canvas.MeasureText(row->text, FontId::Normal).width;
        const Rect label = Intersect(Rect{cell.left, cell.top, cell.left + textWidth + 2 * pad, cell.bottom}, cell);
        if (row->selected) {
            const Rect wholeRow{rowsArea.left, cell.top, rowsArea.right, cell.bottom};
            // A row of columns is marked whole: its cells are one entry.
            const bool whole = c.FullRowSelect() || !c.Columns().empty();
            FillRect(pc.canvas, whole ? wholeRow : label, pc.palette.highlight);
            pc.canvas.SetTextColour(pc.palette.highlightText);
        } else {
            if (own.textBackground) FillRect(pc.canvas, label, *own.textBackground);
            pc.canvas.SetTextColour(own.text.value_or(pc.palette.windowText));
        }
        PaintRowCells(pc, c, cell, row->text);
    }
    if (scrolls) PaintListScrollBar(pc, c, inner);
}

void PaintControl(const PaintContext& pc, const Control& c) {
    switch (c.Kind()) {
        case ControlKind::Button: PaintButton(pc, c); break;
        case ControlKind::TitleButton: PaintTitle(pc, c); break;
        case ControlKind::StaticText: PaintStaticText(pc, c); break;
        case ControlKind::Edit: PaintEdit(pc, c); break;
        case ControlKind::CheckBox: PaintCheckBox(pc, c); break;
        case ControlKind::Radio: PaintRadio(pc, c); break;
        case ControlKind::PopupTrigger: PaintPopupTrigger(pc, c); break;
        case ControlKind::List: PaintList(pc, c); break;
    }
}

}  // namespace

void PaintForm(const FormWindow& form, const SystemColourTable& colours, double scale, Canvas& canvas) {
    const PaintPalette palette = PaletteOf(colours);
    canvas.SetTextScale(scale);
    canvas.ResetClip();
    FillRect(canvas, MakeRect(0, 0, canvas.Width(), canvas.Height()), palette.window);
    const int dx = form.Bounds().left, dy = form.Bounds().top;
    if (const FormPicture* picture = form.Picture()) {
        // Over the plain background, skipping the background's colour changes nothing.
        const Rect& area = picture->area;
        canvas.CopySprite(picture->pixels, MakeRect(0, 0, area.Width(), area.Height()), area.left - dx,
                          area.top - dy, palette.window);
    }
    for (const auto& control : form.Controls()) {
        if (!control->Visible()) continue;
        const Rect& b = control->Bounds();
        const Rect box{b.left - dx, b.top - dy, b.right - dx, b.bottom - dy};
        canvas.SetClip(box);
        if (ControlHook* hook = control->Hook(); hook && hook->OnPaint(*control, canvas, box)) continue;
        PaintControl(PaintContext{canvas, palette, scale, box, form.FocusedControl() == control->Id()}, *control);
    }
    canvas.ResetClip();
}

int TitleTextWidth(std::string_view text, double scale) {
    Canvas measure;
    measure.SetTextScale(scale);
    return measure.MeasureText(text, FontId::Bold).width;
}

bool SnapshotForm(const FormWindow& form, const SystemColourTable& colours, double scale, Canvas& out) {
    if (!out.Create(form.Bounds().Width(), form.Bounds().Height())) return false;
    PaintForm(form, colours, scale, out);
    return true;
}

}  // namespace vsp
