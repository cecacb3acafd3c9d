#include "platform/MessageBoxPainter.h"

#include <algorithm>

namespace vsp {

namespace {

// 96-dpi layout lengths.
constexpr int kBoxWidth = 200;
constexpr int kScreenMargin = 10;
constexpr int kCaptionHeight = 20;
constexpr int kPadding = 8;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 20;
constexpr int kButtonGap = 10;

}  // namespace

int PanelCaptionHeight(double scale) { return Scaled(kCaptionHeight, scale); }

Rect PaintPanel(Canvas& canvas, const PaintPalette& p, double scale, const Rect& panel, std::string_view caption) {
    canvas.SetTextScale(scale);
    canvas.ResetClip();
    FillRect(canvas, panel, p.window);
    DrawFrame(canvas, panel, p.windowFrame);
    const Rect strip{panel.left + 1, panel.top + 1, panel.right - 1, panel.top + PanelCaptionHeight(scale)};
    FillRect(canvas, strip, p.caption);
    canvas.SetTextColour(p.captionText);
    const int textHeight = canvas.MeasureText(caption, FontId::Bold).height;
    DrawClippedText(canvas, strip, strip.left + Scaled(kPadding, scale) / 2, strip.top + (strip.Height() - textHeight) / 2,
                    caption, FontId::Bold);
    return Rect{panel.left + 1, strip.bottom, panel.right - 1, panel.bottom - 1};
}

MessageBoxLayout LayOutMessageBox(Canvas& canvas, double scale, std::string_view text, MessageBoxButtons buttons) {
    const auto S = [scale](int length) { return Scaled(length, scale); };
    canvas.SetTextScale(scale);
    MessageBoxLayout out;
    const int width = std::min(S(kBoxWidth), canvas.Width() - 2 * S(kScreenMargin));
    const int pad = S(kPadding);
    out.lines = WrapText(canvas, text, FontId::Normal, width - 2 * pad);
    const int lineHeight = canvas.MeasureText("", FontId::Normal).height;
    const int height = std::min(canvas.Height(), S(kCaptionHeight) + 3 * pad + int(out.lines.size()) * lineHeight +
                                                     S(kButtonHeight));
    out.box = MakeRect((canvas.Width() - width) / 2, (canvas.Height() - height) / 2, width, height);

    if (buttons == MessageBoxButtons::YesNo) {
        out.buttons = {{{}, MessageBoxAnswer::Yes, "Yes"}, {{}, MessageBoxAnswer::No, "No"}};
    } else {
        out.buttons = {{{}, MessageBoxAnswer::Ok, "OK"}};
    }
    const int count = int(out.buttons.size());
    const int rowWidth = count * S(kButtonWidth) + (count - 1) * S(kButtonGap);
    int x = out.box.left + (out.box.Width() - rowWidth) / 2;
    const int y = out.box.bottom - pad - S(kButtonHeight);
    for (MessageBoxButton& b : out.buttons) {
        b.rect = Intersect(MakeRect(x, y, S(kButtonWidth), S(kButtonHeight)), out.box);
        x += S(kButtonWidth) + S(kButtonGap);
    }
    return out;
}

Rect PaintMessageBox(Canvas& canvas, const SystemColourTable& colours, double scale, std::string_view caption,
                     std::string_view text, MessageBoxButtons buttons) {
    const PaintPalette p = PaletteOf(colours);
    const MessageBoxLayout layout = LayOutMessageBox(canvas, scale, text, buttons);
    const Rect inside = PaintPanel(canvas, p, scale, layout.box, caption);
    const int pad = Scaled(kPadding, scale);
    const int lineHeight = canvas.MeasureText("", FontId::Normal).height;
    const Rect body{inside.left + pad - 1, inside.top + pad, inside.right - pad + 1,
                    layout.box.bottom - 2 * pad - Scaled(kButtonHeight, scale)};
    canvas.SetTextColour(p.windowText);
    for (size_t i = 0; i < layout.lines.size(); ++i) {
        DrawClippedText(canvas, body, body.left, body.top + int(i) * lineHeight, layout.lines[i], FontId::Normal);
    }
    for (const MessageBoxButton& b : layout.buttons) PaintPushButton(canvas, b.rect, b.label, p);
    return layout.box;
}

}  // namespace vsp
