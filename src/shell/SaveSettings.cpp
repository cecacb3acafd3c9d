#include "shell/SaveSettings.h"

#include "platform/UserFilesLock.h"
#include "settings/PreferenceStore.h"
#include "shell/InfoBox.h"

namespace vsp {

bool SaveSettings(AppState& state) {
    UserFilesLock lock;
    if (!LockUserFiles(state.dir, state.info, lock)) return false;
    if (SavePreferences(state.settings, state.dir, state.prefs)) return true;
    InfoBox(state, kSettingsNotSaved, "");
    return false;
}

}  // namespace vsp
