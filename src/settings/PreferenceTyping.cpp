#include "settings/PreferenceTyping.h"

#include <charconv>

#include "settings/PreferenceStart.h"
#include "settings/PreferenceValues.h"

namespace vsp {

namespace {

std::string NumberText(double v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

std::string RangeText(const PreferenceSetting& s) {
    if (s.range.minimumExclusive) return "Enter a value above " + NumberText(s.range.minimum) + ", up to " + NumberText(s.range.maximum) + ".";
    return "Enter a value from " + NumberText(s.range.minimum) + " to " + NumberText(s.range.maximum) + ".";
}

}  // namespace

TypedOutcome ReadTypedPreference(const PreferenceSetting& setting, std::string_view text, Preferences& prefs) {
    Preferences typed = prefs;
    std::string reason;
    if (!ParsePreferenceValue(setting, text, typed, reason)) return TypedOutcome::Unreadable;
    if (FormatPreferenceNumber(setting, typed) == FormatPreferenceNumber(setting, prefs)) return TypedOutcome::Unchanged;
    // The start routine's check would replace an out-of-range value at the next start.
    Preferences checked = typed;
    ReplaceOutOfRange(setting, checked);
    if (FormatPreferenceNumber(setting, checked) != FormatPreferenceNumber(setting, typed)) return TypedOutcome::OutOfRange;
    prefs = typed;
    return TypedOutcome::Accepted;
}

Refusal TypedValueRefusal(const PreferenceSetting& setting, std::string_view name, std::string_view text,
                          TypedOutcome outcome) {
    const std::string shown(text);
    if (setting.kind == PreferenceKind::Text)
        return {std::string(name) + " must not be empty.",
                "It may hold up to " + std::to_string(setting.maxLength) + " characters."};
    if (outcome == TypedOutcome::Unreadable) {
        const char* what = setting.kind == PreferenceKind::Integer ? " is not a whole number." : " is not a number.";
        return {"\"" + shown + "\"" + what, std::string(name) + ": " + RangeText(setting)};
    }
    return {shown + " is out of range for " + std::string(name) + ".", RangeText(setting)};
}

}  // namespace vsp
