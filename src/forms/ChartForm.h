#pragma once
// The sky chart form (1900): the chart of the observing place and time drawn offscreen and
// copied to the form, a tap naming what lies under the pen, drags and keys moving the chart,
// and three lists on the title bar: the field of view, the objects to centre on, and the
// telescope (alignment, go to, centre on the scope, follow it, its control form, sync).

#include <memory>
#include <optional>

#include "catalog/CatalogSession.h"
#include "catalog/ObservingList.h"
#include "chart/ChartIdentify.h"
#include "forms/ObjectForms.h"
#include "scope/Telescope.h"
#include "shell/Form.h"

namespace vsp {

// Control ids of the chart form.
inline constexpr int kChartZoomTrigger = 1902;
inline constexpr int kChartZoomList = 1903;
inline constexpr int kChartObjectTrigger = 1906;
inline constexpr int kChartObjectList = 1907;
inline constexpr int kChartScopeTrigger = 1911;
inline constexpr int kChartScopeList = 1912;
inline constexpr int kChartLoadingText = 1915;
inline constexpr int kChartInfoButton = 1871;  // the information box: how the chart is worked

// Timers of the chart form.
inline constexpr int kChartRefreshTimer = 1;   // the 120-second time refresh
inline constexpr int kChartFollowTimer = 2;    // reading the followed telescope
inline constexpr int kChartRedrawTimer = 3;    // a redraw that input cut short

// A place another form asks the chart to open on (a comet of the Comets&Asteroids form):
// selected and centred the next time the chart opens, then forgotten. Its RA and Dec are of
// date, as the chart holds the bodies.
struct ChartCentreRequest {
    std::optional<ChartSelection> target;
};
using SharedChartCentre = std::shared_ptr<ChartCentreRequest>;

// `list`: the observing list the object list offers (empty: the bodies, Messier and Caldwell);
// `centre`, when given, the requests of other forms.
std::unique_ptr<Form> MakeChartForm(CatalogSession& sky, Telescope& telescope, SharedObjectSelection selection,
                                    std::shared_ptr<ObservingList> list, SharedChartCentre centre = nullptr);

}  // namespace vsp
