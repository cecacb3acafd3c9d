#pragma once

#include "records/RecordLayout.h"
#include "settings/PreferenceTable.h"

namespace vsp::cli {

// Every record layout the program knows, for `records dump`; the settings record as `settings`
// lays it out.
RecordLayoutRegistry KnownLayouts(const PreferenceTable& settings);

}  // namespace vsp::cli
