#include "forms/SkyForms.h"

#include "forms/HomeSummary.h"
#include "shell/FormTable.h"

namespace vsp {

SharedObjectSelection RegisterSkyForms(AppState& state, CatalogSession& sky) {
    state.hooks.refreshHomeView = RefreshHomeSummary;
    SharedObjectSelection selection = RegisterObjectForms(state, sky);
    RegisterPlaceTimeForms(state, sky);
    RegisterEphemerisForms(state, sky);
    RegisterKitForms(state);
    return selection;
}

void RegisterKitForms(AppState& state) {
    RegisterForm(state, kPolarAssistantFormId, [](AppState&, int) { return MakePolarAssistantForm(); });
    const int pages[] = {kChecklistFirstFormId, kChecklistSecondFormId, kChecklistThirdFormId};
    for (int page = 1; page <= 3; ++page)
        RegisterForm(state, pages[page - 1], [page](AppState&, int) { return MakeChecklistForm(page); });
}

}  // namespace vsp
