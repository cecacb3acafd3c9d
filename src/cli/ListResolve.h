#pragma once
// The list words of tools/ListWordTargets.h read for a command: at its observing time and site,
// with its message sink.

#include <optional>
#include <string>

#include "catalog/ListEntry.h"
#include "catalog/ObjectLookup.h"
#include "cli/CliContext.h"
#include "tools/ListWordTargets.h"

namespace vsp::cli {

ListWordPlace ListPlaceOf(CliContext& ctx);
// The entry `word` names, or nullopt with the reason printed.
std::optional<ListEntry> ResolveEntry(CliContext& ctx, ObjectCatalogs& catalogs, const std::string& word);

}  // namespace vsp::cli
