#include "forms/ChartScopeActions.h"

#include "chart/ChartObjects.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/Matrix.h"
#include "ephemeris/Spherical.h"
#include "scope/DriveTable.h"
#include "shell/InfoBox.h"

namespace vsp {

EquatorialPosition SelectionCatalogPlace(const ChartSelection& selection, const ChartView& view) {
    if (!SelectionOfDate(selection)) return {selection.raHours, selection.decDeg};
    EquatorialPosition place;
    VectorToRaDec(MatMulVec(view.Sky().ofDateToCatalog, RaDecToVector(selection.raHours, selection.decDeg)),
                  place.raHours, place.decDegrees);
    return place;
}

ScopeGotoResult GotoSelection(AppState& state, Telescope& telescope, const ChartSelection& selection,
                              const ChartView& view) {
    if (selection.kind == kKindPlanet && selection.number == kBodySun) {
        InfoBox(state, chart_text::kNoGotoSun, "");
        return ScopeGotoResult::Failed;
    }
    return telescope.Dispatcher().ScopeGoto(SelectionCatalogPlace(selection, view), state.prefs.correction);
}

bool SyncOnSelection(AppState& state, Telescope& telescope, const ChartSelection& selection, const ChartView& view) {
    ScopeDispatcher& scope = telescope.Dispatcher();
    const auto target = scope.ReduceTarget(SelectionCatalogPlace(selection, view), state.prefs.correction);
    return target && scope.ScopeSync(target->apparent);
}

std::optional<EquatorialPosition> ScopePlaceInSky(AppState& state, Telescope& telescope) {
    if (IsNoDrive(state.prefs.scopeDrive)) {
        InfoBox(state, chart_text::kNoDrive, "");
        return std::nullopt;
    }
    EquatorialPosition place;
    if (!telescope.Dispatcher().ScopeGetPosition(place)) return std::nullopt;
    if (HorizontalOf(telescope.Now(), place).altitude < 0.0) {
        InfoBox(state, chart_text::kNotInSky, chart_text::kCheckPlaceTime);
        return std::nullopt;
    }
    return place;
}

}  // namespace vsp
