#include "cli/ProgramSettings.h"

#include "scope/DriveTable.h"

namespace vsp::cli {

PreferenceTable ProgramPreferenceTable() {
    PreferenceTable table = StandardPreferenceTable();
    SupplyDriveSettings(table);
    return table;
}

}  // namespace vsp::cli
