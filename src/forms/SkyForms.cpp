#include "forms/SkyForms.h"

#include "forms/HomeSummary.h"

namespace vsp {

SharedObjectSelection RegisterSkyForms(AppState& state, CatalogSession& sky) {
    state.hooks.refreshHomeView = RefreshHomeSummary;
    SharedObjectSelection selection = RegisterObjectForms(state, sky);
    RegisterPlaceTimeForms(state, sky);
    RegisterEphemerisForms(state, sky);
    return selection;
}

}  // namespace vsp
