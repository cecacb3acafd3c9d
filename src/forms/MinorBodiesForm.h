#pragma once
// Comets&Asteroids (2550): the comets and minor planets of the databases, brightest first, with
// their magnitudes, constellations and altitudes for the observing time; the chosen one's
// place, distances, motion, rise and set and the age of its elements; the chart centred on it,
// the telescope sent to it, and the databases imported from the settings' addresses.

#include <memory>

#include "forms/ChartForm.h"
#include "scope/Telescope.h"
#include "shell/Form.h"

namespace vsp {

inline constexpr int kMinorBodiesFormId = 2550;

// `centre`: what the chart opens on when "Chart" is tapped.
std::unique_ptr<Form> MakeMinorBodiesForm(Telescope& telescope, SharedChartCentre centre);

}  // namespace vsp
