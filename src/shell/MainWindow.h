#pragma once
// The main window's procedure: commands, input routed to the open form, timers, paint and
// "come forward" requests.

#include "platform/EventLoop.h"
#include "shell/AppState.h"

namespace vsp {

class MainWindowHandler : public EventHandler {
public:
    explicit MainWindowHandler(AppState& state) : state_(state) {}
    void HandleEvent(const Event& event) override;

private:
    void OnTap(const Event& event);
    void OnKey(const KeyPress& key);
    void OnTimer(const Event& event);

    AppState& state_;
};

// Start-up, the loop, and the exit code (non-zero when the program could not start).
int RunApplication(AppState& state);

}  // namespace vsp
