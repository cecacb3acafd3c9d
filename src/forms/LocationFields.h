#pragma once
// The typed fields of the Location form, each bound to a setting of the current site. The
// longitude is shown east positive, as users read it, while the site keeps it west positive.

#include <span>
#include <string>
#include <string_view>

#include "settings/PreferenceTable.h"
#include "settings/PreferenceTyping.h"
#include "settings/Preferences.h"

namespace vsp {

struct SiteField {
    const char* key;   // the setting of the current site
    const char* name;  // how a message names the field
    bool eastPositive;
    int decimals;      // shown rounded to so many fraction digits; 0: as stored
};

// Name, latitude, longitude, elevation, UT offset, temperature, pressure, humidity.
inline constexpr size_t kSiteFieldCount = 8;
std::span<const SiteField, kSiteFieldCount> SiteFields();

// The value as the field shows it.
std::string SiteFieldText(const PreferenceTable& table, const SiteField& field, const Preferences& prefs);

// The field's typed text read into `prefs` (range-checked as the start routine checks it).
// Answers the outcome; a refusal's lines in `refusal`.
TypedOutcome ReadSiteField(const PreferenceTable& table, const SiteField& field, std::string_view typed,
                           Preferences& prefs, Refusal& refusal);

// "48°51'24 N  2°21'08 E  UT+1:00" in the angle format of the settings.
std::string SitePositionText(const Site& site, int angleFormat);

}  // namespace vsp
