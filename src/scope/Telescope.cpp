#include "scope/Telescope.h"

#include "scope/DriveTable.h"

namespace vsp {

AlignmentFrame AlignmentFrameOf(const Preferences& prefs) {
    return {.outputType = prefs.scopeOutputType, .encoderDrive = IsEncoderDrive(prefs.scopeDrive)};
}

Telescope::Telescope(const Preferences& prefs, InfoSink& sink, ScopeClock clock, SerialLink::Pause pause)
    : clock_(std::move(clock)),
      link_(prefs, sink, PortList(), std::move(pause)),
      dispatcher_(prefs, sink, link_, alignment_, clock_) {}

double ClockAngleDegrees(const CalendarDateTime& local) {
    return (local.hour + local.minute / 60.0 + local.second / 3600.0) * 15.0;
}

}  // namespace vsp
