#pragma once
// `list export --skylist|--csv FILE` and the SkySafari and CSV halves of `list import FILE`.

#include <string>
#include <string_view>

#include "catalog/ListExchange.h"
#include "cli/CliContext.h"

namespace vsp::cli {

// The current list written to `path` (whole, through a temporary file).
int RunListFileExport(CliContext& ctx, ListFileFormat format, const std::string& path);
// The emptied current list filled from a skylist or CSV text: each object by the first of its
// designations, then its name, that the catalogs, the planets or the comet and minor planet
// databases know. Objects found nowhere are named on standard error; the status is then
// kExitFailed, the list keeps what was found.
int RunListFileImport(CliContext& ctx, ListFileFormat format, std::string_view text);

}  // namespace vsp::cli
