#include "forms/ChartScopeFollow.h"

namespace vsp {

bool ChartScopeFollow::Start(Telescope& telescope) {
    if (!telescope.Dispatcher().ScopeConnect()) return false;
    telescope_ = &telescope;
    return true;
}

bool ChartScopeFollow::Tick(ChartScene& scene) {
    EquatorialPosition at;
    if (!telescope_ || !telescope_->Dispatcher().ScopeGetPosition(at)) return false;
    if (scene.scope && scene.scope->raHours == at.raHours && scene.scope->decDeg == at.decDegrees) return false;
    ChartMark mark;
    mark.raHours = at.raHours;
    mark.decDeg = at.decDegrees;
    mark.ofDate = true;
    scene.scope = mark;
    return true;
}

void ChartScopeFollow::Stop() {
    if (!telescope_) return;
    telescope_->Dispatcher().ScopeDisconnect();
    telescope_ = nullptr;
}

}  // namespace vsp
