#include "forms/ObservingContext.h"

#include <charconv>

#include "format/CalendarText.h"
#include "platform/FormatText.h"

namespace vsp {

double TypedValue(float value) {
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    if (ec != std::errc()) return value;
    double result = value;
    std::from_chars(text, end, result);
    return result;
}

EphemerisSettings SiteEphemeris(const Preferences& prefs, int year) {
    const Site& site = prefs.site;
    EphemerisSettings settings;
    settings.location = {TypedValue(site.latitude), TypedValue(site.longitude), double(site.elevation),
                         site.tzOffset,             TypedValue(site.temperature), TypedValue(site.pressure)};
    settings.chartMode = prefs.correction;
    settings.deltaT = TypedValue(prefs.deltaT);
    settings.currentYear = year;
    return settings;
}

EphemerisSettings SiteEphemeris(const AppState& state) { return SiteEphemeris(state.prefs, state.observingTime.year); }

TextFormats SettingsFormats(AppState& state) { return {state.prefs.raFormat, state.prefs.decFormat, &state.info}; }

std::string PlaceAndDateText(const AppState& state) {
    const CalendarDateTime& t = state.observingTime;
    return FormatText("%s, %s %04d  %s", state.prefs.site.name.c_str(), ShortDate(t.month, t.day).c_str(), t.year,
                      ClockMinutes(t.hour, t.minute).c_str());
}

}  // namespace vsp
