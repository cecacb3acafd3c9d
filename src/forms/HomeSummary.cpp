#include "forms/HomeSummary.h"

#include <cmath>

#include "ephemeris/ComputeBody.h"
#include "ephemeris/DayLength.h"
#include "forms/ObservingContext.h"
#include "format/BodyRiseSet.h"
#include "format/EventText.h"
#include "shell/HomeForm.h"
#include "settings/PreferenceTable.h"

namespace vsp {

namespace {

// "07:46-15:55" from a rise and a set; a body up or down all day says so.
std::string UpText(const RiseTransitSetTimes& times) {
    switch (times.status) {
        case RiseSetStatus::Circumpolar: return "up all day";
        case RiseSetStatus::NeverRises: return "down all day";
        case RiseSetStatus::Normal: break;
    }
    return ClockMinutesText(times.rise) + "-" + ClockMinutesText(times.set);
}

std::string MoonLine(const CalendarDateTime& t, const EphemerisSettings& settings, int horizon) {
    BodyPosition moon;
    if (ComputeBody(moon, kBodyMoon, LocalInstant(t, settings), settings) != kEphemerisOk) {
        return "";
    }
    std::string line = "Moon " + std::to_string(int(std::lround(100.0 * moon.phaseFraction))) + "%";
    RiseTransitSetTimes times;
    const double h0 = BodyStandardAltitude(kBodyMoon) + horizon;
    if (BodyRiseTransitSet(kBodyMoon, t.year, t.month, t.day, h0, settings, times) == kEphemerisOk) {
        line += "  " + UpText(times);
    }
    return line;
}

// Darkness runs from the evening's end of astronomical twilight to the next morning's start.
std::string DarkLine(const CalendarDateTime& t, const EphemerisSettings& settings) {
    const RiseTransitSetTimes dark = SunCrossings(t.year, t.month, t.day, kAstronomicalTwilightAltitude, settings);
    switch (dark.status) {
        case RiseSetStatus::Circumpolar: return "No full darkness";
        case RiseSetStatus::NeverRises: return "Dark all day";
        case RiseSetStatus::Normal: break;
    }
    return "Dark " + ClockMinutesText(dark.set) + "-" + ClockMinutesText(dark.rise);
}

}  // namespace

std::string HomeSummaryText(AppState& state) {
    const CalendarDateTime t = state.observingTime;
    const EphemerisSettings settings = SiteEphemeris(state);
    const RiseTransitSetTimes sun = SunCrossings(t.year, t.month, t.day, kSunriseAltitude, settings);
    return PlaceAndDateText(state) + "\nSun " + UpText(sun) + "\n" +
           MoonLine(t, settings, HorizonDegrees(state.prefs.horizon)) + "\n" + DarkLine(t, settings);
}

void RefreshHomeSummary(AppState& state, FormWindow& home) {
    if (Control* summary = home.FindControl(kHomeSummaryText)) summary->SetText(HomeSummaryText(state));
}

}  // namespace vsp
