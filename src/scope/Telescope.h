#pragma once
// Everything the program keeps about the telescope between operations: the serial link, the
// two-star alignment with its stars and restore offer, and the dispatcher over them. The
// window holds one for its whole run; a command holds one for its run.

#include "scope/ScopeDispatcher.h"
#include "scope/SerialLink.h"
#include "scope/TwoStarAlignment.h"

namespace vsp {

// The frame the alignment arithmetic reads the mount's axes in, from the settings.
AlignmentFrame AlignmentFrameOf(const Preferences& prefs);

class Telescope {
public:
    Telescope(const Preferences& prefs, InfoSink& sink, ScopeClock clock,
              SerialLink::Pause pause = nullptr);

    ScopeDispatcher& Dispatcher() { return dispatcher_; }
    SerialLink& Link() { return link_; }
    Alignment& TwoStar() { return alignment_; }
    TwoStarRecords& Stars() { return stars_; }
    AlignmentRestore& Restore() { return restore_; }
    ScopeMoment Now() const { return clock_(); }

    // A goto the mount took that nobody has ended: the chart then leaves the pen to the keys.
    bool SlewStarted() const { return slewStarted_; }
    void SetSlewStarted(bool started) { slewStarted_ = started; }

private:
    ScopeClock clock_;
    SerialLink link_;
    Alignment alignment_;
    TwoStarRecords stars_;
    AlignmentRestore restore_;
    ScopeDispatcher dispatcher_;
    bool slewStarted_ = false;
};

// The local clock time as an angle, (h + m/60 + s/3600) x 15 degrees: the time the alignment
// measures the sky's turning by.
double ClockAngleDegrees(const CalendarDateTime& local);

}  // namespace vsp
