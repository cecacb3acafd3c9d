#pragma once
// What a typed word names for the observing list: the Sun, the Moon and the planets (placed
// for the observing time), deep-sky designations, star catalog numbers and bright star names,
// comets and minor planets of the databases.

#include <optional>
#include <string>

#include "catalog/ListEntry.h"
#include "catalog/ObjectLookup.h"
#include "cli/CliContext.h"

namespace vsp::cli {

// The entry `word` (UTF-8) names; nullopt with `problem` saying why (empty when a box has
// already said it: a catalog file is missing).
std::optional<ListEntry> FindListEntry(CliContext& ctx, ObjectCatalogs& catalogs, const std::string& word,
                                       std::string& problem);
// FindListEntry with the problem printed.
std::optional<ListEntry> ResolveEntry(CliContext& ctx, ObjectCatalogs& catalogs, const std::string& word);

}  // namespace vsp::cli
