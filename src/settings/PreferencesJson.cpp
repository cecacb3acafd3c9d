#include "settings/PreferencesJson.h"

#include <charconv>
#include <string>

#include "platform/Text.h"
#include "settings/PreferenceValues.h"

namespace vsp {

namespace {

nlohmann::json JsonValue(const PreferenceSetting& s, const Preferences& prefs) {
    switch (s.kind) {
        case PreferenceKind::Text:
            return Cp1252ToUtf8(s.getText(prefs));
        case PreferenceKind::Flag:
            return s.getNumber(prefs) != 0.0;
        case PreferenceKind::Real: {
            // Through the shortest text, so that a float shows as typed (51.1, not 51.0999...).
            const std::string text = FormatPreferenceNumber(s, prefs);
            double value = s.getNumber(prefs);
            std::from_chars(text.data(), text.data() + text.size(), value);
            return value;
        }
        default:
            return int64_t(s.getNumber(prefs));
    }
}

}  // namespace

void AddPreferenceJson(nlohmann::json& out, const PreferenceSetting& setting, const Preferences& prefs) {
    out[setting.key] = JsonValue(setting, prefs);
    if (setting.kind == PreferenceKind::Choice)
        out[setting.key + kRowTextSuffix] = Cp1252ToUtf8(FormatPreferenceValue(setting, prefs));
}

nlohmann::json PreferencesJson(const PreferenceTable& table, const Preferences& prefs) {
    nlohmann::json out = nlohmann::json::object();
    for (const PreferenceSetting& s : table.Listed()) AddPreferenceJson(out, s, prefs);
    return out;
}

}  // namespace vsp
