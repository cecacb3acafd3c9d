#include "forms/ObservingContext.h"

#include <charconv>
#include <cstdio>

namespace vsp {

namespace {

constexpr const char* kMonthAbbreviations[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

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

std::string ShortDateText(int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%s %02d", month >= 1 && month <= 12 ? kMonthAbbreviations[month - 1] : "???",
                  day);
    return text;
}

std::string PlaceAndDateText(const AppState& state) {
    const CalendarDateTime& t = state.observingTime;
    char text[96];
    std::snprintf(text, sizeof text, "%s, %s %04d  %02d:%02d", state.prefs.site.name.c_str(),
                  ShortDateText(t.month, t.day).c_str(), t.year, t.hour, t.minute);
    return text;
}

}  // namespace vsp
