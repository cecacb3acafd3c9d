#include "cli/ProgramSettings.h"

#include "catalog/ExtendedStarCatalogs.h"
#include "scope/DriveTable.h"
#include "settings/PreferenceStart.h"

namespace vsp::cli {

PreferenceTable ProgramPreferenceTable() {
    PreferenceTable table = StandardPreferenceTable();
    SupplyDriveSettings(table);
    return table;
}

void ResetProgramPreferences(const ProgramDir& dir, Preferences& prefs) {
    ResetPreferences(prefs);
    if (const int card = LargestPresentCatalog(dir); card >= 0) prefs.cardCatalog = card;
}

PreferenceLoadResult StartProgramPreferences(const PreferenceTable& table, const ProgramDir& dir, Preferences& prefs) {
    const PreferenceLoadResult result = StartPreferences(table, dir, prefs);
    if (result.status != PreferenceFileStatus::Loaded) ResetProgramPreferences(dir, prefs);
    return result;
}

}  // namespace vsp::cli
