#pragma once
// Start-up and shutdown of the interactive program, in their fixed orders.

#include "shell/AppState.h"

namespace vsp {

enum class StartResult { Started, AnotherRunning, WindowFailed };

// Single instance, main window, scale factors, application data, home form requested. The
// caller then runs the event loop with a MainWindowHandler.
StartResult StartApplication(AppState& state);
// The application data in order; false when an allocation failed (its box was shown and the
// rest skipped).
bool InitApplicationData(AppState& state);
// Sets the observing date and time from the saved values (seconds 0) or the local clock.
void InitObservingTime(AppState& state);
// The shutdown order; ends by posting quit with code 0. Run by the destroy of the main window.
void ShutdownApplication(AppState& state);
// Frees the start-up buffers (the name table up to its first null entry, then the table).
void FreeStartupBuffers(AppState& state);

// The local clock the program was given (services.localClock), else the system's.
CalendarDateTime LocalClockNow(const AppState& state);

// The main window polls for a raise request from a second copy with this timer.
inline constexpr int kRaisePollTimerId = 1;
inline constexpr uint32_t kRaisePollPeriodMs = 500;

}  // namespace vsp
