#include "cli/ProgramShell.h"

namespace vsp::cli {

void WireCatalogs(AppState& state, CatalogSession& sky) {
    state.hooks.openCatalogs = [&sky](AppState& app) {
        CatalogSessionOptions options;
        options.extendedCatalog = app.prefs.cardCatalog;
        CatalogSessionOpen(sky, app.info, options);
    };
    state.hooks.closeCatalogs = [&sky](AppState&) { CatalogSessionClose(sky); };
}

StartResult StartShell(AppState& state, const PreferenceLoadResult& loaded) {
    const StartResult started = StartApplication(state);
    if (started == StartResult::Started && !loaded.message.empty()) state.info.InfoBox(loaded.message, "");
    return started;
}

}  // namespace vsp::cli
