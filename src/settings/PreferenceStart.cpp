#include "settings/PreferenceStart.h"

#include <cmath>

namespace vsp {

namespace {

bool HasControlByte(const std::string& text) {
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return true;
    }
    return false;
}

bool NumberInRange(const PreferenceSetting& s, double v) {
    if (std::isnan(v)) return false;
    if (s.kind == PreferenceKind::Choice) {
        // Rows a subsystem owns that nobody supplied: nothing here knows better.
        if (s.rows.empty() && s.rowSource != RowSource::Own) return true;
        return ChoiceRowOf(s, v) >= 0;
    }
    const bool aboveMinimum = s.range.minimumExclusive ? v > s.range.minimum : v >= s.range.minimum;
    return aboveMinimum && v <= s.range.maximum;
}

bool ReplacedBadText(const PreferenceSetting& s, Preferences& prefs) {
    std::string text = s.getText(prefs);
    bool bad = HasControlByte(text) || (text.empty() && !s.mayBeEmpty) ||
               (s.fileName && !IsSafeFileName(text));
    if (!bad && text.size() > s.maxLength) {
        if (!s.mayBeEmpty) {
            bad = true;
        } else {
            // A name that is merely too long keeps its beginning.
            s.setText(prefs, text.substr(0, s.maxLength));
            return true;
        }
    }
    if (bad) s.setText(prefs, s.getText(setting_field::DefaultPreferences()));
    return bad;
}

// A saved date is used only as a whole: without a month or day it means "take the clock".
bool DroppedPartialDate(SavedDateTime& saved) {
    if (saved == SavedDateTime{}) return false;
    if (saved.year != 0 && saved.month != 0 && saved.day != 0) return false;
    saved = SavedDateTime{};
    return true;
}

bool DroppedBadAlignment(SavedAlignment& alignment) {
    if (std::isfinite(alignment.julianDate) && alignment.julianDate >= 0) return false;
    alignment = SavedAlignment{};
    return true;
}

}  // namespace

void ResetPreferences(Preferences& prefs) { prefs = Preferences{}; }

bool ReplaceOutOfRange(const PreferenceSetting& s, Preferences& prefs) {
    if (!s.listed) return false;
    if (s.kind == PreferenceKind::Text) return ReplacedBadText(s, prefs);
    if (NumberInRange(s, s.getNumber(prefs))) return false;
    s.setNumber(prefs, s.fallback);
    return true;
}

int CheckPreferenceRanges(const PreferenceTable& table, Preferences& prefs) {
    int replaced = 0;
    for (const PreferenceSetting& s : table.Listed()) replaced += ReplaceOutOfRange(s, prefs);
    replaced += DroppedPartialDate(prefs.savedDateTime);
    replaced += DroppedBadAlignment(prefs.alignment);
    return replaced;
}

PreferenceLoadResult StartPreferences(const PreferenceTable& table, const ProgramDir& dir, Preferences& prefs) {
    PreferenceLoadResult result = ReadPreferences(table, dir, prefs);
    if (result.status == PreferenceFileStatus::Loaded) result.replaced = CheckPreferenceRanges(table, prefs);
    return result;
}

}  // namespace vsp
