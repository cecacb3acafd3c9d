#pragma once
// What every window backend does alike with the modal windows over the forms: a dialog is
// centred on the screen in a captioned panel, and the stylus and the keys are turned into
// the dialog's commands or the message box's answer, as the handheld's dialog manager does.

#include <optional>

#include "platform/Canvas.h"
#include "platform/DeviceCaps.h"
#include "platform/FormWindow.h"
#include "platform/Input.h"
#include "platform/MessageBoxPainter.h"
#include "platform/SystemColours.h"

namespace vsp {

// Dialog-manager commands for Enter and Escape.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;

// Moves the controls of a dialog built from its template into a panel centred on the screen
// (the dialog's bounds become the panel's body, under the caption strip).
void PlaceDialog(FormWindow& dialog, const DeviceCaps& caps);
// Paints the panel, its caption (the dialog's title) and the dialog's controls over what the
// canvas shows; answers the panel's rectangle.
Rect PaintDialog(const FormWindow& dialog, const SystemColourTable& colours, double scale, Canvas& canvas);

// A press counts when the stylus is lifted over what it went down on.
class PressTracker {
public:
    // The target released over, or 0.
    int Track(int target, TapPhase phase);

private:
    int pressed_ = 0;
};

class DialogInput {
public:
    // The command a tap phase gives: a button, check box or title released over; else 0.
    int Tap(FormWindow& dialog, int x, int y, TapPhase phase);
    // kDialogOk for Enter, kDialogCancel for Escape, else 0.
    static int Key(int code);

private:
    PressTracker press_;
};

class MessageBoxInput {
public:
    MessageBoxInput(const MessageBoxLayout& layout, MessageBoxButtons buttons) : layout_(layout), buttons_(buttons) {}
    std::optional<MessageBoxAnswer> Tap(int x, int y, TapPhase phase);
    // Enter answers the first button (OK, Yes); Escape closes the box: OK, or No.
    std::optional<MessageBoxAnswer> Key(int code) const;
    // The answer of a box closed without a button.
    MessageBoxAnswer Closed() const;

private:
    MessageBoxLayout layout_;
    MessageBoxButtons buttons_;
    PressTracker press_;
};

}  // namespace vsp
