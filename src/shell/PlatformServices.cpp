#include "shell/PlatformServices.h"

namespace vsp {

void UsePlatformServices(AppState& state, SingleInstance& instance, PowerWatcher& watcher) {
    state.services.acquireInstance = [&state, &instance] { return instance.Acquire(state.dir); };
    state.services.takeRaiseRequest = [&instance] { return instance.TakeRaiseRequest(); };
    state.services.startPowerWatcher = [&watcher] { return watcher.Start(); };
    state.services.stopPowerWatcher = [&watcher] { watcher.Stop(); };
}

std::function<void()> PostPowerResume(EventLoop& loop) {
    return [&loop] { loop.PostCommand(kCommandPowerResume); };
}

}  // namespace vsp
