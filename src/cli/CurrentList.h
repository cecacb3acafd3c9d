#pragma once
// The command line's current observing list: the list the window keeps between runs
// ("userlists/last_list.lst" of the home), with the capacity of "Max Selected items". Every
// command that changes it saves it back, so a script's commands build one list together.

#include "catalog/ObservingList.h"
#include "cli/CliContext.h"

namespace vsp::cli {

// An empty list when none was saved yet.
ObservingList LoadCurrentList(CliContext& ctx);
// An empty list removes the saved one. False with the message on failure.
bool SaveCurrentList(CliContext& ctx, const ObservingList& list);

}  // namespace vsp::cli
