#include "settings/PreferenceValues.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "platform/ParseNumber.h"

namespace vsp {

namespace {

std::string ShortestNumber(double v, bool singlePrecision) {
    char buffer[64];
    const auto result = singlePrecision ? std::to_chars(buffer, buffer + sizeof buffer, float(v))
                                        : std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

char FoldCase(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (c >= 'A' && c <= 'Z') return char(c - 'A' + 'a');
    // Latin-1 capitals of the code page (except the multiplication sign).
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return char(u + 0x20);
    return c;
}

bool EqualsFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

std::optional<int64_t> ReadWhole(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int64_t value = 0;
    if (!ParseWhole(text, value)) return std::nullopt;
    return value;
}

std::optional<double> ReadReal(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    if (!ParseWhole(text, value) || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<bool> ReadFlag(std::string_view text) {
    for (std::string_view yes : {"1", "on", "true", "yes"})
        if (EqualsFolded(text, yes)) return true;
    for (std::string_view no : {"0", "off", "false", "no"})
        if (EqualsFolded(text, no)) return false;
    return std::nullopt;
}

}  // namespace

std::string FormatPreferenceNumber(const PreferenceSetting& setting, const Preferences& prefs) {
    if (setting.kind == PreferenceKind::Text) return setting.getText(prefs);
    if (!setting.getNumber) return {};  // kept bytes have no number
    return ShortestNumber(setting.getNumber(prefs),
                          setting.kind == PreferenceKind::Real && setting.singlePrecision);
}

std::string FormatPreferenceValue(const PreferenceSetting& setting, const Preferences& prefs) {
    switch (setting.kind) {
        case PreferenceKind::Text:
            return setting.getText(prefs);
        case PreferenceKind::Flag:
            return setting.getNumber(prefs) != 0.0 ? "on" : "off";
        case PreferenceKind::Choice: {
            const int row = ChoiceRowOf(setting, setting.getNumber(prefs));
            if (row >= 0) return setting.rows[size_t(row)];
            return FormatPreferenceNumber(setting, prefs);
        }
        default:
            return FormatPreferenceNumber(setting, prefs);
    }
}

bool ParsePreferenceValue(const PreferenceSetting& setting, std::string_view text,
                          Preferences& prefs, std::string& reason) {
    const std::string shown(text);
    switch (setting.kind) {
        case PreferenceKind::Text:
            setting.setText(prefs, shown);
            return true;
        case PreferenceKind::Flag:
            if (auto flag = ReadFlag(text)) {
                setting.setNumber(prefs, *flag ? 1.0 : 0.0);
                return true;
            }
            reason = setting.key + ": not on or off: " + shown;
            return false;
        case PreferenceKind::Real:
            if (auto value = ReadReal(text)) {
                setting.setNumber(prefs, *value);
                return true;
            }
            reason = setting.key + ": not a number: " + shown;
            return false;
        case PreferenceKind::Integer:
            if (auto value = ReadWhole(text)) {
                setting.setNumber(prefs, double(*value));
                return true;
            }
            reason = setting.key + ": not a whole number: " + shown;
            return false;
        case PreferenceKind::Bytes:
            reason = setting.key + ": not a setting";
            return false;
        case PreferenceKind::Choice:
            // The index comes first, so that the value printed by `show` always reads back.
            if (auto value = ReadWhole(text)) {
                setting.setNumber(prefs, double(*value));
                return true;
            }
            return ParsePreferenceRow(setting, text, prefs, reason);
    }
    return false;
}

bool ParsePreferenceRow(const PreferenceSetting& setting, std::string_view text,
                        Preferences& prefs, std::string& reason) {
    if (setting.kind != PreferenceKind::Choice) {
        reason = setting.key + ": not a list";
        return false;
    }
    for (size_t i = 0; i < setting.rows.size(); ++i) {
        if (EqualsFolded(setting.rows[i], text)) {
            setting.setNumber(prefs, ChoiceRowValue(setting, i));
            return true;
        }
    }
    reason = setting.key + ": no such row: " + std::string(text);
    return false;
}

std::vector<std::string> DifferingPreferenceKeys(const PreferenceTable& table, const Preferences& a,
                                                 const Preferences& b) {
    std::vector<std::string> keys;
    for (const PreferenceSetting& s : table.Listed())
        if (FormatPreferenceNumber(s, a) != FormatPreferenceNumber(s, b)) keys.push_back(s.key);
    return keys;
}

}  // namespace vsp
