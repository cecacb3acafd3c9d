#include "forms/EphemerisFormKit.h"
#include "forms/SkyForms.h"
#include "shell/FormTable.h"

namespace vsp {

void RegisterEphemerisForms(AppState& state, CatalogSession&) {
    // The planets list and the ephemeris assistant share the body chosen last.
    auto choice = std::make_shared<EphemerisChoice>();
    RegisterForm(state, kPlanetsFormId, [choice](AppState&, int) { return MakePlanetsForm(choice); });
    RegisterForm(state, kEphemerisAssistantFormId,
                 [choice](AppState&, int) { return MakeEphemerisAssistantForm(choice); });
    RegisterForm(state, kMoonFormId, [](AppState&, int) { return MakeMoonForm(); });
    RegisterForm(state, kTwilightFormId, [](AppState&, int) { return MakeTwilightForm(); });
    RegisterForm(state, kDayNightFormId, [](AppState&, int) { return MakeDayNightForm(); });
    RegisterForm(state, kEclipsesFormId, [](AppState&, int) { return MakeEclipsesForm(); });
    RegisterForm(state, kCompassChartFormId, [](AppState&, int) { return MakeCompassChartForm(); });
    // One form for both planet map ids, as the home buttons and the menu reach them.
    for (int id : {kPlanetMapFormId, kPlanetMapSecondFormId})
        RegisterForm(state, id, [](AppState&, int) { return MakePlanetMapForm(); });
    RegisterForm(state, kMoonFeatureFormId, [](AppState&, int) { return MakeMoonFeatureForm(); });
}

}  // namespace vsp
