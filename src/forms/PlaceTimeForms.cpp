#include "forms/PlaceTimeForms.h"

#include "forms/SkyForms.h"
#include "shell/FormHistory.h"
#include "shell/FormTable.h"
#include "shell/Forms.h"
#include "shell/InfoBox.h"
#include "shell/SaveSettings.h"
#include "shell/Scale.h"

namespace vsp {

namespace {

constexpr int kTitleId = 8000;

}  // namespace

FormTemplate PlaceTimeTemplate(int formId) {
    FormTemplate t = NamedFormTemplate(formId);
    t.controls.push_back(ControlTemplate{kTitleId, ControlKind::TitleButton, t.title, Rect{0, 0, 120, kTitleHeight}});
    return t;
}

ControlTemplate LabelAt(int id, int left, int top, int width, std::string text) {
    return ControlTemplate{id, ControlKind::StaticText, std::move(text),
                           MakeRect(left, top + kPlaceLabelDrop, width, kPlaceFieldHeight - kPlaceLabelDrop)};
}

ControlTemplate EditAt(int id, int left, int top, int width) {
    return ControlTemplate{id, ControlKind::Edit, "", MakeRect(left, top, width, kPlaceFieldHeight)};
}

ControlTemplate ButtonAt(int id, int left, int top, int width, std::string text) {
    return ControlTemplate{id, ControlKind::Button, std::move(text), MakeRect(left, top, width, kPlaceButtonHeight)};
}

void OpenPlaceTimeForm(AppState& state, FormWindow& window) {
    InitTitle(state, window);
    EnterForm(state, window.TemplateId());
}

void SiteChanged(AppState& state) {
    SaveSettings(state);
    if (state.hooks.initEphemeris) state.hooks.initEphemeris(state);
}

void RegisterPlaceTimeForms(AppState& state, CatalogSession&) {
    RegisterForm(state, kLocationFormId, [](AppState&, int) { return MakeLocationForm(); });  // without the GPS until the telescope is wired
    RegisterForm(state, kChooseLocationFormId, [](AppState&, int) { return MakeChooseLocationForm(); });
    RegisterForm(state, kDateTimeFormId, [](AppState&, int) { return MakeDateTimeForm(); });
}

}  // namespace vsp
