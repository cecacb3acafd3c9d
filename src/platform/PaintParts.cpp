#include "platform/PaintParts.h"

#include <algorithm>

namespace vsp {

namespace {

// Indices of the system colour table.
constexpr int kScrollBar = 0, kCaption = 2, kWindow = 5, kWindowFrame = 6, kWindowText = 8,
              kCaptionText = 9, kHighlight = 13, kHighlightText = 14, kShadow = 16,
              kButtonText = 18, kLight = 20, kDarkShadow = 21;

}  // namespace

PaintPalette PaletteOf(const SystemColourTable& c) {
    return PaintPalette{
        .window = c.Get(kWindow),
        .windowText = c.Get(kWindowText),
        .windowFrame = c.Get(kWindowFrame),
        .face = c.Get(kColourIndexButtonFace),
        .buttonText = c.Get(kButtonText),
        .light = c.Get(kLight),
        .shadow = c.Get(kShadow),
        .darkShadow = c.Get(kDarkShadow),
        .highlight = c.Get(kHighlight),
        .highlightText = c.Get(kHighlightText),
        .caption = c.Get(kCaption),
        .captionText = c.Get(kCaptionText),
        .scrollBar = c.Get(kScrollBar),
    };
}

void FillRect(Canvas& canvas, const Rect& rect, Colour colour) {
    canvas.SetBackColour(colour);
    canvas.FillRect(rect);
}

void DrawFrame(Canvas& canvas, const Rect& r, Colour colour) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    canvas.SetForeColour(colour);
    canvas.DrawLine(r.left, r.top, r.right - 1, r.top);
    canvas.DrawLine(r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
    canvas.DrawLine(r.left, r.top, r.left, r.bottom - 1);
    canvas.DrawLine(r.right - 1, r.top, r.right - 1, r.bottom - 1);
}

void DrawBevel(Canvas& canvas, const Rect& r, Bevel bevel, const PaintPalette& p) {
    if (r.Width() < 4 || r.Height() < 4) return;
    const bool raised = bevel == Bevel::Raised;
    // Outer ring, then inner ring: (top-left colour, bottom-right colour).
    const Colour rings[2][2] = {{raised ? p.light : p.shadow, raised ? p.darkShadow : p.light},
                                {raised ? p.face : p.darkShadow, raised ? p.shadow : p.face}};
    for (int i = 0; i < 2; ++i) {
        const int l = r.left + i, t = r.top + i, rt = r.right - 1 - i, b = r.bottom - 1 - i;
        canvas.SetForeColour(rings[i][0]);
        canvas.DrawLine(l, t, rt - 1, t);
        canvas.DrawLine(l, t, l, b - 1);
        canvas.SetForeColour(rings[i][1]);
        canvas.DrawLine(l, b, rt, b);
        canvas.DrawLine(rt, t, rt, b);
    }
}

void PaintButtonFace(Canvas& canvas, const Rect& rect, const PaintPalette& p, bool pressed) {
    FillRect(canvas, rect, pressed ? p.shadow : p.face);
    DrawBevel(canvas, rect, pressed ? Bevel::Sunken : Bevel::Raised, p);
}

void PaintPushButton(Canvas& canvas, const Rect& rect, std::string_view text, const PaintPalette& p, bool pressed) {
    PaintButtonFace(canvas, rect, p, pressed);
    // Labels of narrow buttons drop to the small font rather than lose letters.
    FontId font = FontId::Normal;
    TextExtent size = canvas.MeasureText(text, font);
    if (size.width > rect.Width() - 4) {
        font = FontId::Small;
        size = canvas.MeasureText(text, font);
    }
    canvas.SetTextColour(p.buttonText);
    DrawClippedText(canvas, rect, rect.left + (rect.Width() - size.width) / 2,
                    rect.top + (rect.Height() - size.height) / 2, text, font);
}

void DrawClippedText(Canvas& canvas, const Rect& box, int x, int y, std::string_view text, FontId font) {
    const Rect saved = canvas.Clip();
    canvas.SetClip(Intersect(saved, box));
    canvas.DrawText(x, y, text, font, TextBackground::Transparent);
    canvas.SetClip(saved);
}

std::string FittedText(const Canvas& canvas, std::string_view text, FontId font, int width) {
    if (canvas.MeasureText(text, font).width <= width) return std::string(text);
    std::string cut(text);
    while (!cut.empty()) {
        cut.pop_back();
        if (canvas.MeasureText(cut + "\x85", font).width <= width) break;
    }
    return cut + "\x85";
}

std::vector<std::string> WrapText(const Canvas& canvas, std::string_view text, FontId font, int width) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string_view paragraph = text.substr(start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        std::string line;
        size_t pos = 0;
        while (pos <= paragraph.size()) {
            const size_t blank = std::min(paragraph.find(' ', pos), paragraph.size());
            const std::string_view word = paragraph.substr(pos, blank - pos);
            std::string longer = line.empty() ? std::string(word) : line + ' ' + std::string(word);
            if (!line.empty() && canvas.MeasureText(longer, font).width > width) {
                lines.push_back(std::move(line));
                longer.assign(word);
            }
            line = std::move(longer);
            pos = blank + 1;
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace vsp
