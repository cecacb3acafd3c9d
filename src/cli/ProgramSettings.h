#pragma once
// The program's settings table: the settings' own declarations with the rows and conditions
// the subsystems own supplied, built once per run and passed to whoever needs it.

#include "settings/PreferenceTable.h"

namespace vsp::cli {

PreferenceTable ProgramPreferenceTable();

}  // namespace vsp::cli
