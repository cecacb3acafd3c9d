#pragma once
// Where and when the program observes, as the settings hold it: the ephemeris settings of the
// current site (the window's forms and the commands build them the same way), the observing
// date and local clock time, and the user's hour and angle formats.

#include <string>

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Time.h"
#include "format/TextFormats.h"
#include "shell/AppState.h"
#include "settings/Preferences.h"

namespace vsp {

// The settings keep floats; a value is taken as the decimal it was typed as (66.184, not
// 66.18399810791016), so that results and texts follow the value the user set.
double TypedValue(float value);

// The observer of the current site, the correction mode and ΔT of the settings, `year` as the
// current one.
EphemerisSettings SiteEphemeris(const Preferences& prefs, int year);
// The same for the run's settings and observing year.
EphemerisSettings SiteEphemeris(const AppState& state);
// The hour and angle formats of the settings; a format error goes to the information box.
TextFormats SettingsFormats(AppState& state);
// The site's name and the observing date and clock time, for a caption line.
std::string PlaceAndDateText(const AppState& state);

}  // namespace vsp
