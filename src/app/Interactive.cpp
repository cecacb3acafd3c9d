#include "app/Interactive.h"

#include <iostream>

#include "catalog/CatalogSession.h"
#include "platform/DeviceCaps.h"
#include "platform/EventLoop.h"
#include "platform/PowerWatcher.h"
#include "platform/ProgramDir.h"
#include "platform/SingleInstance.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/PlatformServices.h"
#include "shell/PreferenceStart.h"
#include "shell/PreferenceStore.h"
#include "shell/Startup.h"

#ifdef VESPERTAR_HAVE_SDL
#include "platform/sdl/SdlWindowSystem.h"
#endif

namespace vsp::app {
namespace {

// The sky of the run: opened by the start-up order, closed by the shutdown order.
void WireCatalogs(AppState& state, CatalogSession& sky) {
    state.hooks.openCatalogs = [&sky](AppState& app) {
        CatalogSessionOptions options;
        options.extendedCatalog = app.prefs.cardCatalog;
        CatalogSessionOpen(sky, app.info, options);
    };
    state.hooks.closeCatalogs = [&sky](AppState&) { CatalogSessionClose(sky); };
}

}  // namespace

int RunInteractive(const cli::WindowOptions& options) {
#ifdef VESPERTAR_HAVE_SDL
    const ProgramDir dir = ProgramDir::Resolve(options.home);
    if (!MakeDirectory(dir.Root())) {
        std::cerr << "vespertar: cannot use the program directory " << dir.Root() << "\n";
        return 1;
    }
    Preferences prefs;
    const PreferenceLoadResult loaded = StartPreferences(dir, prefs);

    SteadyClock clock;
    EventLoop loop(clock);
    SdlWindowSystem windows(loop, DeviceCaps::ForDpi(options.dpi));
    AppState state(windows, loop, prefs, dir);
    SingleInstance instance;
    PowerWatcher watcher(PostPowerResume(loop));
    UsePlatformServices(state, instance, watcher);
    CatalogSession sky(dir, state.info);
    WireCatalogs(state, sky);
    loop.SetInputPump([&windows] { windows.PumpInput(); });
    // Closing the window is the menu's Quit, so the shutdown order runs.
    windows.SetCloseHandler([&loop] { loop.PostCommand(kCommandExit, 0); });

    switch (StartApplication(state)) {
        case StartResult::Started:
            break;
        case StartResult::AnotherRunning:
            std::cerr << "vespertar: already running; brought it to the front\n";
            return 1;
        case StartResult::WindowFailed:
            return 1;
    }
    if (!loaded.message.empty()) state.info.InfoBox(loaded.message, "");
    MainWindowHandler handler(state);
    const int code = windows.Run(handler);
    // Shutdown copied the observing date and time into the settings; keep them.
    if (!SavePreferences(dir, prefs)) std::cerr << "vespertar: settings could not be saved\n";
    return code;
#else
    std::cerr << "vespertar: this build has no window backend; see `vespertar --help` for the "
                 "commands\n";
    return 1;
#endif
}

}  // namespace vsp::app
