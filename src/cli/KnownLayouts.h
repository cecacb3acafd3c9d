#pragma once

#include "records/RecordLayout.h"

namespace vsp::cli {

// Every record layout the program knows, for `records dump`.
RecordLayoutRegistry KnownLayouts();

}  // namespace vsp::cli
