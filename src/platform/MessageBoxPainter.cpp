#include "platform/MessageBoxPainter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/PaintParts.h"

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

void PaintMessageBox(Canvas& canvas, const SystemColourTable& colours, double scale, std::string_view caption,
                     std::string_view text, MessageBoxButtons buttons) {
    const PaintPalette p = PaletteOf(colours);
    const auto S = [scale](int length) { return Scaled(length, scale); };
    canvas.SetTextScale(scale);
    canvas.ResetClip();

    const int width = std::min(S(kBoxWidth), canvas.Width() - 2 * S(kScreenMargin));
    const int pad = S(kPadding);
    const std::vector<std::string> lines = WrapText(canvas, text, FontId::Normal, width - 2 * pad);
    const int lineHeight = canvas.MeasureText("", FontId::Normal).height;
    const int height = std::min(canvas.Height(), S(kCaptionHeight) + 3 * pad + int(lines.size()) * lineHeight +
                                                     S(kButtonHeight));
    const Rect box = MakeRect((canvas.Width() - width) / 2, (canvas.Height() - height) / 2, width, height);

    FillRect(canvas, box, p.window);
    DrawFrame(canvas, box, p.windowFrame);
    const Rect strip{box.left + 1, box.top + 1, box.right - 1, box.top + S(kCaptionHeight)};
    FillRect(canvas, strip, p.caption);
    canvas.SetTextColour(p.captionText);
    const int captionHeight = canvas.MeasureText(caption, FontId::Bold).height;
    DrawClippedText(canvas, strip, strip.left + pad / 2, strip.top + (strip.Height() - captionHeight) / 2, caption,
                    FontId::Bold);

    const Rect body{box.left + pad, strip.bottom + pad, box.right - pad, box.bottom - 2 * pad - S(kButtonHeight)};
    canvas.SetTextColour(p.windowText);
    for (size_t i = 0; i < lines.size(); ++i) {
        DrawClippedText(canvas, body, body.left, body.top + int(i) * lineHeight, lines[i], FontId::Normal);
    }

    const std::vector<std::string_view> labels =
        buttons == MessageBoxButtons::YesNo ? std::vector<std::string_view>{"Yes", "No"}
                                            : std::vector<std::string_view>{"OK"};
    const int count = int(labels.size());
    const int rowWidth = count * S(kButtonWidth) + (count - 1) * S(kButtonGap);
    int x = box.left + (box.Width() - rowWidth) / 2;
    const int y = box.bottom - pad - S(kButtonHeight);
    for (std::string_view label : labels) {
        PaintPushButton(canvas, Intersect(MakeRect(x, y, S(kButtonWidth), S(kButtonHeight)), box), label, p);
        x += S(kButtonWidth) + S(kButtonGap);
    }
}

}  // namespace vsp
