#pragma once
// What a mount protocol works with: the settings (drive, port, output type and alignment
// method read at every call), the serial link, where its messages go, the mount that answers
// while the link emulates, the clock and site of each operation, the way to put a question to
// the user and the motion rate last chosen. Every protocol is built from one.

#include "platform/InfoSink.h"
#include "scope/EmulatedMount.h"
#include "scope/ScopeMoment.h"
#include "scope/ScopeMotion.h"
#include "scope/SerialLink.h"
#include "settings/Preferences.h"

namespace vsp {

struct MountContext {
    const Preferences& prefs;
    SerialLink& link;
    InfoSink& sink;
    EmulatedMount& mount;
    const ScopeClock& clock;
    // Empty when nobody can be asked: the protocol then takes the answer Yes.
    const ScopeQuestion& ask;
    // The mount still holds the site, time and zenith an earlier run handed it (Takahashi).
    const bool& siteKept;
    // Fast until the user picks another; the mounts that only move at a rate given with each
    // motion command (NexStar, Takahashi) read it there.
    const ScopeRate& rate;
};

}  // namespace vsp
