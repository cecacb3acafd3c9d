#pragma once
// The main window's procedure: commands, input routed to the open form, timers, paint and
// "come forward" requests.

#include "platform/EventLoop.h"
#include "shell/AppState.h"
#include "shell/Form.h"

namespace vsp {

class MainWindowHandler : public EventHandler {
public:
    explicit MainWindowHandler(AppState& state) : state_(state) {}
    void HandleEvent(const Event& event) override;

private:
    void OnTap(const Event& event);
    void OnKey(const KeyPress& key);
    void OnKeyUp(const KeyPress& key);
    void OnTimer(const Event& event);
    bool DragList(FormWindow& form, const Event& event);
    // Keeps the pressed look of the button under the stylus; false when the tap phase must
    // go no further (a button released without having been pressed, or slid off).
    bool TrackPress(FormWindow& form, const Control* under, const Event& event);
    // What the focused control does with a key no hook took (edit typing, list stepping);
    // true when it used the key.
    bool DefaultControlKey(FormWindow& form, Control& focused, const KeyPress& key, Form* proc);

    struct ListDrag {
        int listId = 0;  // 0: the stylus is not on a list
        int startY = 0;
        int startTop = 0;
        bool moved = false;
    };

    AppState& state_;
    ListDrag drag_;
    // The control holding the stylus (0 for none) and its form.
    int captureId_ = 0;
    WindowHandle captureForm_ = kNoWindow;
    // The button held down (0 for none) and its form.
    int pressId_ = 0;
    WindowHandle pressForm_ = kNoWindow;
};

// Start-up, the loop, and the exit code (non-zero when the program could not start).
int RunApplication(AppState& state);

}  // namespace vsp
