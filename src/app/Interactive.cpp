#include "app/Interactive.h"

#include <iostream>

#include "app/KeptScale.h"
#include "cli/ProgramSettings.h"
#include "cli/ProgramShell.h"
#include "forms/ScopeForms.h"
#include "platform/DeviceCaps.h"
#include "platform/EventLoop.h"
#include "platform/PowerWatcher.h"
#include "platform/ProgramDir.h"
#include "platform/SingleInstance.h"
#include "platform/UserFilesLock.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/PlatformServices.h"
#include "settings/PreferenceStart.h"
#include "settings/PreferenceStore.h"

#ifdef VESPERTAR_HAVE_SDL
#include "platform/sdl/SdlWindowSystem.h"
#endif

namespace vsp::app {
int RunInteractive(const cli::WindowOptions& options) {
#ifdef VESPERTAR_HAVE_SDL
    const ProgramDir dir = ProgramDir::Resolve(options.home);
    if (!MakeDirectory(dir.Root())) {
        std::cerr << "vespertar: cannot use the program directory " << dir.Root() << "\n";
        return 1;
    }
    const PreferenceTable settings = cli::ProgramPreferenceTable();
    Preferences prefs;
    const PreferenceLoadResult loaded = cli::StartProgramPreferences(settings, dir, prefs);

    SteadyClock clock;
    EventLoop loop(clock);
    const int dpi = options.dpi ? *options.dpi : ReadKeptDpi(dir).value_or(DisplayFittingDpi());
    SdlWindowSystem windows(loop, DeviceCaps::ForDpi(dpi));
    AppState state(windows, loop, prefs, settings, dir);
    SingleInstance instance;
    PowerWatcher watcher(PostPowerResume(loop));
    UsePlatformServices(state, instance, watcher);
    CatalogSession sky(dir, state.info);
    Telescope telescope(prefs, state.info, ObservingScopeClock(state));
    cli::WireShell(state, sky, telescope);
    loop.SetInputPump([&windows] { windows.PumpInput(); });
    // Closing the window is the menu's Quit, so the shutdown order runs.
    windows.SetCloseHandler([&loop] { loop.PostCommand(kCommandExit, 0); });

    switch (cli::StartShell(state, loaded)) {
        case StartResult::Started:
            break;
        case StartResult::AnotherRunning:
            std::cerr << "vespertar: already running; brought it to the front\n";
            return 1;
        case StartResult::WindowFailed:
            return 1;
    }
    MainWindowHandler handler(state);
    const int code = windows.Run(handler);
    if (windows.Rescaled() && !KeepDpi(dir, windows.Caps().logPixelsX)) {
        std::cerr << "vespertar: the window's scale could not be kept\n";
    }
    // Shutdown copied the observing date and time into the settings; keep them.
    UserFilesLock lock;
    std::string busy;
    if (!lock.Acquire(dir, busy)) std::cerr << "vespertar: settings could not be saved: " << busy << "\n";
    else if (!SavePreferences(settings, dir, prefs)) std::cerr << "vespertar: settings could not be saved\n";
    return code;
#else
    std::cerr << "vespertar: this build has no window backend; see `vespertar --help` for the "
                 "commands\n";
    return 1;
#endif
}

}  // namespace vsp::app
