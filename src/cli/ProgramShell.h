#pragma once
// The interactive program's shell over whichever window system runs it: the window and
// `vespertar screen` start it the same way, so a screen shot shows what the window would.

#include "catalog/CatalogSession.h"
#include "scope/Telescope.h"
#include "shell/AppState.h"
#include "shell/PreferenceStore.h"
#include "shell/Startup.h"

namespace vsp::cli {

// The sky of the run: opened by the start-up order, closed by the shutdown order; the forms
// that show it registered.
void WireCatalogs(AppState& state, CatalogSession& sky);
// The telescope of the run: its forms registered, its restore offer made at start-up.
void WireTelescope(AppState& state, CatalogSession& sky, Telescope& telescope);
// The start-up order, then the box of a settings file that could not be used, then the
// offers made once a run has started.
StartResult StartShell(AppState& state, const PreferenceLoadResult& loaded);

}  // namespace vsp::cli
