#pragma once
// Paints the modal windows that sit over the forms: message boxes (caption strip, wrapped
// message, OK or Yes/No buttons) and the framed panel that dialogs share with them, both
// centred over whatever the canvas already shows.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"
#include "platform/MessageBox.h"
#include "platform/PaintParts.h"
#include "platform/SystemColours.h"

namespace vsp {

struct MessageBoxButton {
    Rect rect;
    MessageBoxAnswer answer;
    std::string_view label;
};

// Where a box's parts fall on a canvas, so that taps can be matched to its buttons.
struct MessageBoxLayout {
    Rect box;
    std::vector<std::string> lines;  // the message wrapped to the box
    std::vector<MessageBoxButton> buttons;
};

// The height of a panel's caption strip at `scale`.
int PanelCaptionHeight(double scale);
// A framed panel with `caption` in its strip over a body in the window colour; answers the
// body (inside the frame, under the strip).
Rect PaintPanel(Canvas& canvas, const PaintPalette& palette, double scale, const Rect& panel,
                std::string_view caption);

// Sets the canvas's text scale to `scale` for its measures.
MessageBoxLayout LayOutMessageBox(Canvas& canvas, double scale, std::string_view text, MessageBoxButtons buttons);
// Answers the box's rectangle.
Rect PaintMessageBox(Canvas& canvas, const SystemColourTable& colours, double scale, std::string_view caption,
                     std::string_view text, MessageBoxButtons buttons);

}  // namespace vsp
