#include "format/MoonPhaseList.h"

namespace vsp {
namespace {

constexpr double kPhaseCodes[] = {kPhaseNew, kPhaseFirstQuarter, kPhaseFull, kPhaseLastQuarter};

double LocalJd(const CalendarDateTime& t, const EphemerisSettings& settings) {
    return JulianDayLocal(t.year, t.month, t.day, t.hour, t.minute, t.second, settings.location.tzOffset);
}

// The lunation a counter derives from the date is the nearest one, so the phases of the
// lunation before may still be ahead, or the new moon of the day's own lunation behind: one
// lunation earlier is always a safe start.
int32_t LunationBefore(const CalendarDateTime& local, const EphemerisSettings& settings) {
    int32_t lunation = 0;
    LunarPhaseResult phase;
    LunarPhase(kPhaseNew, lunation, local.year, local.month, local.day, 0, settings, phase);
    return lunation - 1;
}

}  // namespace

std::vector<MoonPhaseEvent> NextMoonPhases(const CalendarDateTime& local, int count,
                                           const EphemerisSettings& settings) {
    const double from = LocalJd(local, settings);
    std::vector<MoonPhaseEvent> found;
    for (int32_t lunation = LunationBefore(local, settings); int(found.size()) < count; ++lunation) {
        for (double code : kPhaseCodes) {
            MoonPhaseEvent event{code, {}};
            LunarPhaseOf(code, lunation, 0, settings, event.result);
            if (event.result.jd >= from && int(found.size()) < count) found.push_back(event);
        }
    }
    return found;
}

LunarPhaseResult PreviousNewMoon(const CalendarDateTime& local, const EphemerisSettings& settings) {
    const double at = LocalJd(local, settings);
    LunarPhaseResult latest, next;
    for (int32_t lunation = LunationBefore(local, settings);; ++lunation) {
        LunarPhaseOf(kPhaseNew, lunation, 0, settings, next);
        if (next.jd > at) return latest;
        latest = next;
    }
}

const char* MoonPhaseName(double code) {
    if (code == kPhaseNew) return "New Moon";
    if (code == kPhaseFirstQuarter) return "First Quarter";
    if (code == kPhaseFull) return "Full Moon";
    if (code == kPhaseLastQuarter) return "Last Quarter";
    return "";
}

}  // namespace vsp
