#include "forms/ObjectForms.h"

#include "forms/SkyForms.h"
#include "shell/FormTable.h"

namespace vsp {

SharedObjectSelection RegisterObjectForms(AppState& state, CatalogSession& sky) {
    auto selection = std::make_shared<ObjectSelection>();
    RegisterForm(state, kObjectInfoFormId,
                 [&sky, selection](AppState&, int) { return MakeObjectInfoForm(sky, selection); });
    RegisterForm(state, kFinderFormId, [&sky, selection](AppState&, int) { return MakeFinderForm(sky, selection); });
    return selection;
}

}  // namespace vsp
