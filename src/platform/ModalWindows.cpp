#include "platform/ModalWindows.h"

#include <algorithm>
#include <climits>

#include "platform/FormPainter.h"
#include "platform/PaintParts.h"

namespace vsp {

namespace {

constexpr int kPanelPadding = 6;  // 96-dpi pixels between the frame and the controls

bool Pressable(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::TitleButton || kind == ControlKind::CheckBox ||
           kind == ControlKind::Radio || kind == ControlKind::PopupTrigger;
}

}  // namespace

void PlaceDialog(FormWindow& dialog, const DeviceCaps& caps) {
    Rect used{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const auto& c : dialog.Controls()) {
        const Rect& b = c->Bounds();
        used = Rect{std::min(used.left, b.left), std::min(used.top, b.top), std::max(used.right, b.right),
                    std::max(used.bottom, b.bottom)};
    }
    if (used.left > used.right) used = Rect{};
    const double scale = caps.Scale();
    const int pad = Scaled(kPanelPadding, scale);
    const int width = std::min(caps.screenWidth, used.Width() + 2 * pad + 2);
    const int height = std::min(caps.screenHeight, used.Height() + 2 * pad + PanelCaptionHeight(scale) + 1);
    const Rect panel = MakeRect((caps.screenWidth - width) / 2, (caps.screenHeight - height) / 2, width, height);
    const int dx = panel.left + 1 + pad - used.left;
    const int dy = panel.top + PanelCaptionHeight(scale) + pad - used.top;
    for (const auto& c : dialog.Controls()) {
        const Rect& b = c->Bounds();
        c->SetBounds(Rect{b.left + dx, b.top + dy, b.right + dx, b.bottom + dy});
    }
    dialog.SetBounds(Rect{panel.left + 1, panel.top + PanelCaptionHeight(scale), panel.right - 1, panel.bottom - 1});
}

Rect PaintDialog(const FormWindow& dialog, const SystemColourTable& colours, double scale, Canvas& canvas) {
    const Rect body = dialog.Bounds();
    const Rect panel{body.left - 1, body.top - PanelCaptionHeight(scale), body.right + 1, body.bottom + 1};
    const PaintPalette palette = PaletteOf(colours);
    PaintPanel(canvas, palette, scale, panel, dialog.Title());
    Canvas controls;
    if (SnapshotForm(dialog, colours, scale, controls)) {
        // The body already shows the window colour the snapshot's background has.
        canvas.CopySprite(controls, MakeRect(0, 0, body.Width(), body.Height()), body.left, body.top, palette.window);
    }
    return panel;
}

int PressTracker::Track(int target, TapPhase phase) {
    if (phase == TapPhase::Down) pressed_ = target;
    if (phase != TapPhase::Up) return 0;
    const int released = target == pressed_ ? target : 0;
    pressed_ = 0;
    return released;
}

int DialogInput::Tap(FormWindow& dialog, int x, int y, TapPhase phase) {
    const Control* c = dialog.ControlAt(x, y);
    return press_.Track(c && Pressable(c->Kind()) ? c->Id() : 0, phase);
}

int DialogInput::Key(int code) {
    if (code == kKeyEnter) return kDialogOk;
    if (code == kKeyEscape) return kDialogCancel;
    return 0;
}

std::optional<MessageBoxAnswer> MessageBoxInput::Tap(int x, int y, TapPhase phase) {
    int target = 0;
    for (const MessageBoxButton& b : layout_.buttons) {
        if (b.rect.Contains(x, y)) target = int(b.answer);
    }
    if (const int released = press_.Track(target, phase)) return MessageBoxAnswer(released);
    return std::nullopt;
}

std::optional<MessageBoxAnswer> MessageBoxInput::Key(int code) const {
    if (code == kKeyEnter) return layout_.buttons.front().answer;
    if (code == kKeyEscape) return Closed();
    return std::nullopt;
}

MessageBoxAnswer MessageBoxInput::Closed() const {
    return buttons_ == MessageBoxButtons::YesNo ? MessageBoxAnswer::No : MessageBoxAnswer::Ok;
}

}  // namespace vsp
