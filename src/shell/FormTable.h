#pragma once
// The forms the shell knows: id (also the template id), screen name, and the line telling the
// user what a form will hold. Each subsystem registers the factory of its forms; a known form
// without one opens titled with its screen name and showing that line.

#include <span>
#include <string_view>

#include "shell/AppState.h"

namespace vsp {

struct FormTableEntry {
    int id;
    std::string_view screenName;
    // Shown while the form has no factory of its own; empty where nothing is to come.
    std::string_view comingLine = {};
};

// Forms with special handling when opened.
inline constexpr int kMonitorFormId = 2300;
inline constexpr int kScopeControlFormId = 2400;
inline constexpr int kEmptyFormId = 1940;
inline constexpr int kPlanetMapFormId = 2460;
inline constexpr int kLocationFormId = 1200;
inline constexpr int kSkyChartFormId = 1900;

// Every form the shell knows, in the order of their ids.
std::span<const FormTableEntry> FormTableEntries();
bool IsKnownForm(int formId);
// Empty for an unknown id.
std::string_view FormScreenName(int formId);
// What the form will hold, in the user's words; empty for an unknown id.
std::string_view FormComingLine(int formId);
// A template with the form's id, titled with its screen name.
FormTemplate NamedFormTemplate(int formId);

void RegisterForm(AppState& state, int formId, FormFactory factory);

}  // namespace vsp
