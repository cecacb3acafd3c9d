#pragma once
// Wires the real single-instance lock and power watcher into the shell's services. The
// program owns both objects; they must outlive the state.

#include <functional>

#include "platform/EventLoop.h"
#include "platform/PowerWatcher.h"
#include "platform/SingleInstance.h"
#include "shell/AppState.h"

namespace vsp {

void UsePlatformServices(AppState& state, SingleInstance& instance, PowerWatcher& watcher);

// The power watcher's callback: command 9901 to the main window, from the watcher's thread.
std::function<void()> PostPowerResume(EventLoop& loop);

}  // namespace vsp
