#pragma once
// The seven preference pages (forms 1400, 1430, 1450, 1620, 1476, 1337, 1357): every setting of
// the preference table shown on its page, each change stored and saved at once.

#include <memory>
#include <string_view>

#include "shell/AppState.h"
#include "shell/Form.h"

namespace vsp {

inline constexpr int kPreferencePageCount = 7;
// Page buttons "1".."7", then the way through and out of the pages.
inline constexpr int kPageButtonFirst = 1359;
inline constexpr int kPrevPageButton = 1366;
inline constexpr int kNextPageButton = 1367;
inline constexpr int kPreferencesOkButton = 1368;

// 1..7 to the page's form id; 0 outside.
int PreferencePageForm(int page);
// The page of a form id, 0 when the form is not a preference page.
int PreferencePageOf(int formId);

// Registers the seven pages; they share where "Ok" leads back to.
void RegisterPreferencePages(AppState& state);

}  // namespace vsp
