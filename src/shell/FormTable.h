#pragma once
// The forms the shell knows: id (also the template id) and screen name. Each subsystem
// registers the factory of its forms; a known form without one opens empty, titled with its
// screen name.

#include <string_view>

#include "shell/AppState.h"

namespace vsp {

struct FormTableEntry {
    int id;
    std::string_view screenName;
};

// Forms with special handling when opened.
inline constexpr int kMonitorFormId = 2300;
inline constexpr int kScopeControlFormId = 2400;
inline constexpr int kEmptyFormId = 1940;
inline constexpr int kPlanetMapFormId = 2460;
inline constexpr int kLocationFormId = 1200;
inline constexpr int kSkyChartFormId = 1900;

bool IsKnownForm(int formId);
// Empty for an unknown id.
std::string_view FormScreenName(int formId);
// A template with the form's id, titled with its screen name.
FormTemplate NamedFormTemplate(int formId);

void RegisterForm(AppState& state, int formId, FormFactory factory);

}  // namespace vsp
