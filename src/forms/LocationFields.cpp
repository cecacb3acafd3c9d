#include "forms/LocationFields.h"

#include <cmath>

#include "format/AngleFormat.h"
#include "format/ZoneText.h"
#include "settings/PreferenceValues.h"

namespace vsp {

namespace {

constexpr SiteField kFields[kSiteFieldCount] = {
    // Four decimals of a degree are 11 m, finer than any site needs.
    {"site_name", "Name", false, 0},
    {"latitude_deg", "Latitude", false, 4},
    {"longitude_west_deg", "Longitude (east +)", true, 4},
    {"elevation_m", "Elevation", false, 0},
    {"tz_offset_min", "UT offset", false, 0},
    {"temperature_c", "Temperature", false, 0},
    {"pressure_mbar", "Pressure", false, 0},
    {"humidity_pct", "Humidity", false, 0},
};

// The typed east longitude as the west-positive number the site keeps.
std::string WestText(std::string_view east) {
    if (!east.empty() && east.front() == '-') return std::string(east.substr(1));
    if (!east.empty() && east.front() == '+') east.remove_prefix(1);
    return "-" + std::string(east);
}

// At most `decimals` fraction digits, trailing zeros left out.
std::string Rounded(double value, int decimals) {
    std::string text = FormatFixed(value, decimals);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

}  // namespace

std::span<const SiteField, kSiteFieldCount> SiteFields() { return kFields; }

std::string SiteFieldText(const PreferenceTable& table, const SiteField& field, const Preferences& prefs) {
    const PreferenceSetting& s = *table.Find(field.key);
    if (s.kind == PreferenceKind::Text) return s.getText(prefs);
    if (field.decimals == 0) return FormatPreferenceNumber(s, prefs);
    const double value = s.getNumber(prefs);
    return Rounded(field.eastPositive ? -value : value, field.decimals);
}

TypedOutcome ReadSiteField(const PreferenceTable& table, const SiteField& field, std::string_view typed,
                           Preferences& prefs, Refusal& refusal) {
    const PreferenceSetting& s = *table.Find(field.key);
    const TypedOutcome outcome = ReadTypedPreference(s, field.eastPositive ? WestText(typed) : typed, prefs);
    if (outcome == TypedOutcome::Unreadable || outcome == TypedOutcome::OutOfRange)
        refusal = TypedValueRefusal(s, field.name, typed, outcome);
    return outcome;
}

std::string SitePositionText(const Site& site, int angleFormat) {
    const std::string latitude = DmsToStr(std::fabs(site.latitude), angleFormat) + (site.latitude < 0 ? " S" : " N");
    const std::string longitude = DmsToStr(std::fabs(site.longitude), angleFormat) + (site.longitude > 0 ? " W" : " E");
    return latitude + "   " + longitude + "   UT" + ZoneText(site.tzOffset);
}

}  // namespace vsp
