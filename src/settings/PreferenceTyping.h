#pragma once
// A value typed into a preference page's field: read as the setting's kind, checked with its
// declared range (the start routine's check, so that nothing typed is replaced later), and the
// two lines that tell the user why a value was refused.

#include <string>
#include <string_view>

#include "settings/PreferenceSetting.h"
#include "settings/Preferences.h"

namespace vsp {

enum class TypedOutcome { Accepted, Unchanged, Unreadable, OutOfRange };

// On Accepted `prefs` holds the new value; otherwise it is untouched.
TypedOutcome ReadTypedPreference(const PreferenceSetting& setting, std::string_view text, Preferences& prefs);

struct Refusal {
    std::string first;
    std::string second;
};
// Why `text` was refused for the setting called `name` (Unreadable or OutOfRange).
Refusal TypedValueRefusal(const PreferenceSetting& setting, std::string_view name, std::string_view text,
                          TypedOutcome outcome);

}  // namespace vsp
