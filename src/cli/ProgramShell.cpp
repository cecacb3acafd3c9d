#include "cli/ProgramShell.h"

#include "forms/ChartForm.h"
#include "forms/ListForms.h"
#include "forms/MinorBodiesForm.h"
#include "forms/ObserverLogForm.h"
#include "forms/SatelliteForm.h"
#include "forms/ScopeForms.h"
#include "forms/SkyForms.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "settings/PreferenceTable.h"

namespace vsp::cli {

namespace {

void WireCatalogs(AppState& state, CatalogSession& sky) {
    state.hooks.openCatalogs = [&sky](AppState& app) {
        CatalogSessionOptions options;
        options.extendedCatalog = app.prefs.cardCatalog;
        CatalogSessionOpen(sky, app.info, options);
    };
    state.hooks.closeCatalogs = [&sky](AppState&) { CatalogSessionClose(sky); };
    // A new "Card Catalog" takes effect at once; the constellation lines follow their setting
    // on their next user by themselves.
    state.hooks.preferenceChanged = [&sky](AppState& app, const PreferenceSetting& setting) {
        if (setting.key == "card_catalog") OpenStarCard(sky, app.info, app.prefs.cardCatalog);
    };
}

void WireTelescope(AppState& state, CatalogSession& sky, Telescope& telescope) {
    RegisterScopeForms(state, sky, telescope);
    state.ports = &telescope.Link().Ports();
    state.hooks.startupOffers = [&telescope](AppState& app) { OfferAlignmentRestore(app, telescope); };
    // InfoBoxYesNo answers true for No.
    telescope.Dispatcher().SetQuestion([&state](std::string_view question) { return !InfoBoxYesNo(state, question, ""); });
    // The scope control form connects as it opens.
    state.hooks.startScopeControl = [](AppState& app) { ShowForm(app, kScopeControlFormId); };
}

}  // namespace

void WireShell(AppState& state, CatalogSession& sky, Telescope& telescope) {
    WireCatalogs(state, sky);
    const SharedObjectSelection selection = RegisterSkyForms(state, sky);
    WireTelescope(state, sky, telescope);
    auto list = std::make_shared<ObservingList>();
    RegisterListForms(state, sky, list);
    RegisterForm(state, kObserverLogFormId, [&sky, list, selection](AppState&, int) {
        return MakeObserverLogForm(sky, list, selection);
    });
    auto centre = std::make_shared<ChartCentreRequest>();
    RegisterForm(state, kSkyChartFormId, [&sky, &telescope, selection, list, centre](AppState&, int) {
        return MakeChartForm(sky, telescope, selection, list, centre);
    });
    RegisterForm(state, kMinorBodiesFormId, [&telescope, centre](AppState&, int) {
        return MakeMinorBodiesForm(telescope, centre);
    });
    RegisterForm(state, kSatelliteFormId, [](AppState&, int) { return MakeSatelliteForm(); });
}

StartResult StartShell(AppState& state, const PreferenceLoadResult& loaded) {
    const StartResult started = StartApplication(state);
    if (started != StartResult::Started) return started;
    if (!loaded.message.empty()) state.info.InfoBox(loaded.message, "");
    if (state.hooks.startupOffers) state.hooks.startupOffers(state);
    return started;
}

}  // namespace vsp::cli
