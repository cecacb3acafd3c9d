#include "shell/AppState.h"

#include "shell/HomeForm.h"
#include "shell/PreferencePages.h"

namespace vsp {

AppState::AppState(WindowSystem& windows_, EventLoop& loop_, Preferences& prefs_, const PreferenceTable& settings_,
                   ProgramDir dir_)
    : windows(windows_), loop(loop_), prefs(prefs_), settings(settings_), dir(std::move(dir_)) {
    history.fill(kHomeFormId);
    formFactories[kHomeFormId] = [](AppState&, int) { return MakeHomeForm(); };
    RegisterPreferencePages(*this);
}

}  // namespace vsp
