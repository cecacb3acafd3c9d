#pragma once
// The windowing operations the shell is written against: one main window, form windows built
// from templates, modal dialogs, message boxes, the display's capabilities and system colours.
// A backend (headless, SDL) implements it; nothing here knows about forms' meaning.

#include <string>
#include <string_view>

#include "platform/Canvas.h"
#include "platform/Colour.h"
#include "platform/Control.h"
#include "platform/DeviceCaps.h"
#include "platform/FormWindow.h"
#include "platform/Geometry.h"
#include "platform/MessageBox.h"
#include "platform/SystemColours.h"

namespace vsp {

// The dialog procedure of a modal dialog.
class ModalDialogProc {
public:
    virtual ~ModalDialogProc() = default;
    virtual void OnInit(FormWindow& dialog) = 0;
    // A button of the dialog was pressed; true ends the dialog.
    virtual bool OnCommand(FormWindow& dialog, int controlId) = 0;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    virtual const DeviceCaps& Caps() const = 0;
    virtual SystemColourTable& SystemColours() = 0;
    // Width in device pixels of narrow text in the title font (see TitleTextWidth).
    virtual int TextWidth(std::string_view text) const = 0;

    // The one main window. False when it cannot be created.
    virtual bool CreateMainWindow(std::string_view className, std::string_view title) = 0;
    // Destroys the main window and every form window it owns.
    virtual void DestroyMainWindow() = 0;
    virtual bool HasMainWindow() const = 0;
    // Whether some window is in the foreground to own a message box.
    virtual bool HasForegroundWindow() const = 0;
    virtual void SetMainWindowRect(const Rect& rect) = 0;
    virtual Rect MainWindowRect() const = 0;
    virtual void ShowMainWindow(bool visible) = 0;
    virtual void UpdateMainWindow() = 0;
    virtual void InvalidateMainWindow() = 0;
    virtual void PaintMainWindow(Colour fill) = 0;
    // The shell's full-screen mode: task bar, input-panel button and start icon hidden.
    virtual void SetFullScreen(bool on) = 0;
    virtual void BringToFront() = 0;

    // Form windows, children of the main window. The window system owns them.
    virtual FormWindow* CreateForm(const FormTemplate& tmpl) = 0;
    virtual void DestroyForm(FormWindow* form) = 0;
    virtual FormWindow* FindForm(WindowHandle handle) = 0;
    virtual void InvalidateForm(FormWindow* form) = 0;
    // Copies an offscreen canvas into `area` of a form (device pixels, as its bounds) and shows
    // it at once; the form keeps the copy over its background until the next one (see
    // FormWindow::SetPicture). False when the copy cannot be made.
    virtual bool CopyCanvas(FormWindow& form, const Canvas& canvas, const Rect& area) = 0;
    // Runs a modal dialog on top of everything; answers the control id that ended it, or 0.
    virtual int RunModalDialog(const FormTemplate& tmpl, ModalDialogProc& proc) = 0;

    virtual MessageBoxAnswer MessageBox(std::string_view text, std::string_view caption,
                                        MessageBoxButtons buttons) = 0;
    virtual int LastErrorCode() const = 0;
    virtual std::string ErrorText(int code) const = 0;
};

}  // namespace vsp
