#pragma once
// Everything the program keeps about the telescope between operations: the serial link, the
// two-star alignment with its stars and restore offer, the N-star list, and the dispatcher
// over them. The
// window holds one for its whole run; a command holds one for its run.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "scope/NStarStore.h"
#include "scope/ScopeDispatcher.h"
#include "scope/SerialLink.h"
#include "scope/TwoStarAlignment.h"

namespace vsp {

// The frame the alignment arithmetic reads the mount's axes in, from the settings.
AlignmentFrame AlignmentFrameOf(const Preferences& prefs);

// A star picked on the sky chart for the N-star list: its name (device code page) and its
// catalog place (J2000, RA hours, Dec degrees).
struct PickedStar {
    std::string name;
    int32_t starIndex = 0;
    double raHours = 0;
    double decDegrees = 0;
};

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

    // The N-star list and fitted corrections of the run (the window loads the saved ones once).
    NStarState& NStars() { return nstars_; }
    bool NStarsLoaded() const { return nstarsLoaded_; }
    void SetNStarsLoaded() { nstarsLoaded_ = true; }

    // The N-star form opens the chart to pick a star; the chart's next star tap answers it.
    void RequestStarPick() { pickRequested_ = true, picked_.reset(); }
    bool StarPickRequested() const { return pickRequested_; }
    void DeliverStarPick(PickedStar star) { pickRequested_ = false, picked_ = std::move(star); }
    // The star picked since the request, if any; the request ends either way.
    std::optional<PickedStar> TakeStarPick() {
        pickRequested_ = false;
        return std::exchange(picked_, std::nullopt);
    }

private:
    ScopeClock clock_;
    SerialLink link_;
    Alignment alignment_;
    TwoStarRecords stars_;
    AlignmentRestore restore_;
    ScopeDispatcher dispatcher_;
    bool slewStarted_ = false;
    NStarState nstars_;
    bool nstarsLoaded_ = false;
    bool pickRequested_ = false;
    std::optional<PickedStar> picked_;
};

// The local clock time as an angle, (h + m/60 + s/3600) x 15 degrees: the time the alignment
// measures the sky's turning by.
double ClockAngleDegrees(const CalendarDateTime& local);

}  // namespace vsp
