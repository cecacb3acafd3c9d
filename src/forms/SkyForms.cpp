#include "forms/SkyForms.h"

#include "forms/HomeSummary.h"

namespace vsp {

void RegisterSkyForms(AppState& state, CatalogSession& sky) {
    state.hooks.refreshHomeView = RefreshHomeSummary;
    RegisterObjectForms(state, sky);
    RegisterPlaceTimeForms(state, sky);
    RegisterEphemerisForms(state, sky);
}

}  // namespace vsp
