#include "forms/ScopeForms.h"

#include "forms/ObservingContext.h"
#include "forms/PlaceTimeForms.h"
#include "shell/FormTable.h"

namespace vsp {

ScopeClock ObservingScopeClock(AppState& state) {
    return [&state] { return ScopeMoment{state.observingTime, SiteEphemeris(state), SettingsFormats(state)}; };
}

void RegisterScopeForms(AppState& state, CatalogSession& sky, Telescope& telescope) {
    RegisterForm(state, kScopeControlFormId,
                 [&sky, &telescope](AppState&, int) { return MakeScopeControlForm(sky, telescope); });
    RegisterForm(state, kTwoStarFormId, [&sky, &telescope](AppState&, int) { return MakeTwoStarForm(sky, telescope); });
    RegisterForm(state, kMonitorFormId, [&telescope](AppState&, int) { return MakeMonitorForm(telescope); });
    RegisterForm(state, kNStarFormId, [&telescope](AppState&, int) { return MakeNStarForm(telescope); });
    RegisterForm(state, kCameraFormId, [](AppState&, int) { return MakeCameraForm(); });
    RegisterForm(state, kCcdFormId, [](AppState&, int) { return MakeCcdForm(); });
    RegisterForm(state, kLocationFormId, [&telescope](AppState&, int) { return MakeLocationForm(&telescope.Link()); });
}

}  // namespace vsp
