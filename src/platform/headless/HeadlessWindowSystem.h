#pragma once
// The window system without a window: state is kept and logged so tests (and command mode)
// can see what the shell did. Taps and keys are scripted into the event loop; modal dialogs
// press scripted buttons.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/FormStore.h"
#include "platform/WindowSystem.h"
#include "platform/headless/ScriptedMessageBoxes.h"

namespace vsp {

class HeadlessWindowSystem : public WindowSystem {
public:
    // `boxes` null: a ScriptedMessageBoxes of its own (see Boxes()).
    HeadlessWindowSystem(EventLoop& loop, const DeviceCaps& caps = DeviceCaps{},
                         MessageBoxes* boxes = nullptr);

    const DeviceCaps& Caps() const override { return caps_; }
    SystemColourTable& SystemColours() override { return colours_; }
    int TextWidth(std::string_view text) const override;

    bool CreateMainWindow(std::string_view className, std::string_view title) override;
    void DestroyMainWindow() override;
    bool HasMainWindow() const override { return mainWindow_; }
    bool HasForegroundWindow() const override { return foreground_; }
    void SetMainWindowRect(const Rect& rect) override;
    Rect MainWindowRect() const override { return mainRect_; }
    void ShowMainWindow(bool visible) override;
    void UpdateMainWindow() override;
    void InvalidateMainWindow() override;
    void PaintMainWindow(Colour fill) override;
    void SetFullScreen(bool on) override;
    void BringToFront() override;

    FormWindow* CreateForm(const FormTemplate& tmpl) override;
    void DestroyForm(FormWindow* form) override;
    FormWindow* FindForm(WindowHandle handle) override;
    void InvalidateForm(FormWindow* form) override;
    // Logs "CopyCanvas <template id> <width>x<height>"; the form keeps the copy for checks.
    bool CopyCanvas(FormWindow& form, const Canvas& canvas, const Rect& area) override;
    int RunModalDialog(const FormTemplate& tmpl, ModalDialogProc& proc) override;

    MessageBoxAnswer MessageBox(std::string_view text, std::string_view caption,
                                MessageBoxButtons buttons) override;
    int LastErrorCode() const override;
    std::string ErrorText(int code) const override;

    // --- scripting and inspection ---
    // The form as the screen would show it, painted at the display's scale into a new canvas
    // the size of its bounds; false when the canvas cannot be made.
    bool Snapshot(const FormWindow& form, Canvas& out) const;
    ScriptedMessageBoxes& Boxes() { return ownBoxes_; }
    const ScriptedMessageBoxes& Boxes() const { return ownBoxes_; }
    // A tap (down then up) at a point, now or after `delayMs` on the loop's clock.
    void ScriptTap(int x, int y, int64_t delayMs = 0);
    // Press, then release.
    void ScriptKey(const KeyPress& key, int64_t delayMs = 0);
    // Buttons the next modal dialogs press, in order; a dialog with none left ends with 0.
    void ScriptDialogButtons(const std::vector<int>& controlIds);
    // Sees a modal dialog after its set-up and after every scripted button.
    std::function<void(const FormWindow&)> dialogObserver;
    // Once a dialog's scripted buttons ran out, gives it taps and keys one at a time, as a
    // user would (a tap is pressed and lifted at one point); nothing ends the dialog with 0.
    std::function<std::optional<Event>(const FormWindow&)> dialogInput;
    void SetFailMainWindowCreation(bool fail) { failCreate_ = fail; }
    void SetForeground(bool present) { foreground_ = present; }
    void SetLastError(int code, std::string text);

    bool FullScreen() const { return fullScreen_; }
    bool MainWindowVisible() const { return mainVisible_; }
    Colour LastFill() const { return lastFill_; }
    int PaintCount() const { return paints_; }
    int RaiseCount() const { return raises_; }
    const std::string& MainWindowTitle() const { return title_; }
    std::vector<FormWindow*> Forms() const;
    // Ids of the templates of every modal dialog run so far.
    const std::vector<int>& DialogsRun() const { return dialogsRun_; }
    // One line per operation, in order ("CreateMainWindow", "SetFullScreen 1", ...).
    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }

private:
    EventLoop& loop_;
    DeviceCaps caps_;
    SystemColourTable colours_;
    ScriptedMessageBoxes ownBoxes_;
    MessageBoxes* boxes_;
    bool mainWindow_ = false;
    bool failCreate_ = false;
    bool foreground_ = true;
    bool fullScreen_ = false;
    bool mainVisible_ = false;
    std::string title_;
    Rect mainRect_;
    Colour lastFill_ = 0;
    int paints_ = 0;
    int raises_ = 0;
    bool invalid_ = false;
    FormStore forms_{loop_, caps_};
    std::deque<int> dialogButtons_;
    std::vector<int> dialogsRun_;
    int errorCode_ = -1;  // -1: errno
    std::string errorText_;
    std::vector<std::string> log_;
};

}  // namespace vsp
