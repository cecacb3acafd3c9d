#pragma once
// The Moon's principal phases from an instant on, as the phase list and the Moon screen show
// them, with their names.

#include <vector>

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/LunarPhase.h"
#include "ephemeris/Time.h"

namespace vsp {

struct MoonPhaseEvent {
    double code = kPhaseNew;  // kPhaseNew, kPhaseFirstQuarter, kPhaseFull, kPhaseLastQuarter
    LunarPhaseResult result;
};

// The `count` phases at or after a local clock time, in time order.
std::vector<MoonPhaseEvent> NextMoonPhases(const CalendarDateTime& local, int count,
                                           const EphemerisSettings& settings);
// The new moon at or before a local clock time: the start of the Moon's age.
LunarPhaseResult PreviousNewMoon(const CalendarDateTime& local, const EphemerisSettings& settings);

// "New Moon", "First Quarter", "Full Moon", "Last Quarter"; "" for another code.
const char* MoonPhaseName(double code);

}  // namespace vsp
