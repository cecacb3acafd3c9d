#include "shell/ProgressBox.h"

#include <string>

#include "platform/PaintParts.h"
#include "shell/FormOps.h"

namespace vsp {
namespace {

// Framed and filled like a message box, so the list below it cannot show through.
class ProgressBoxHook : public ControlHook {
public:
    ProgressBoxHook(AppState& state) : state_(state) {}

    bool OnPaint(const Control& control, Canvas& canvas, const Rect& box) override {
        const PaintPalette palette = PaletteOf(state_.windows.SystemColours());
        FillRect(canvas, box, palette.window);
        DrawFrame(canvas, box, palette.windowFrame);
        DrawFrame(canvas, Rect{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, palette.windowFrame);
        canvas.SetTextColour(palette.windowText);
        const int lineHeight = canvas.MeasureText("", FontId::Normal).height;
        const int pad = lineHeight / 2;
        int y = box.top + pad;
        for (const std::string& line : WrapText(canvas, control.Text(), FontId::Normal, box.Width() - 2 * pad)) {
            const int width = canvas.MeasureText(line, FontId::Normal).width;
            DrawClippedText(canvas, box, box.left + (box.Width() - width) / 2, y, line, FontId::Normal);
            y += lineHeight;
        }
        return true;
    }

private:
    AppState& state_;
};

}  // namespace

ControlTemplate ProgressBoxTemplate() {
    return {kProgressBoxId, ControlKind::StaticText, "", MakeRect(30, 120, 180, 64), false};
}

void ShowProgressBox(AppState& state, std::string_view firstLine, std::string_view secondLine) {
    if (!state.currentFormWindow) return;
    Control* box = state.currentFormWindow->FindControl(kProgressBoxId);
    if (!box) return;
    if (!box->Hook()) box->Subclass(std::make_unique<ProgressBoxHook>(state));
    std::string text(firstLine);
    if (!secondLine.empty()) text.append("\n").append(secondLine);
    box->SetText(text);
    box->SetVisible(true);
    state.windows.UpdateMainWindow();
}

void HideProgressBox(AppState& state) {
    if (!state.currentFormWindow) return;
    if (Control* box = state.currentFormWindow->FindControl(kProgressBoxId)) box->SetVisible(false);
    state.windows.UpdateMainWindow();
}

}  // namespace vsp
