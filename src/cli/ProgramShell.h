#pragma once
// The interactive program's shell over whichever window system runs it: the window and
// `vespertar screen` start it the same way, so a screen shot shows what the window would.

#include "catalog/CatalogSession.h"
#include "scope/Telescope.h"
#include "shell/AppState.h"
#include "settings/PreferenceStore.h"
#include "shell/Startup.h"

namespace vsp::cli {

// The sky and the telescope of the run, and the forms that show them: the catalogs opened by
// the start-up order and closed by the shutdown order, the telescope's restore offer made at
// start-up.
void WireShell(AppState& state, CatalogSession& sky, Telescope& telescope);
// The start-up order, then the box of a settings file that could not be used, then the
// offers made once a run has started.
StartResult StartShell(AppState& state, const PreferenceLoadResult& loaded);

}  // namespace vsp::cli
