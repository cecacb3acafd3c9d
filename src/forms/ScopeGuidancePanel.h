#pragma once
// The encoder layout of the scope control form: what the setting-circle box reads (counts,
// azimuth and altitude) and, with a target and a two-star alignment, where the target stands
// on the box's axes, how far the tube is from it, and arrows saying which way to push.

#include <cstdint>
#include <optional>

#include "scope/EncoderGuidance.h"
#include "scope/Telescope.h"
#include "shell/AppState.h"
#include "shell/Form.h"

namespace vsp {

// The panel's controls, in 96-dpi layout pixels below the title.
void AddGuidanceControls(FormTemplate& t);

class ScopeGuidancePanel {
public:
    explicit ScopeGuidancePanel(Telescope& telescope) : telescope_(telescope) {}

    // Fills the refresh list.
    void Open(AppState& state);
    // The timer period (ms) chosen when `id` is the refresh list.
    std::optional<uint32_t> RefreshPeriod(AppState& state, int id, ControlNotify notify);
    // Reads the box and shows everything; a box that cannot be reached leaves the panel as it was.
    void Draw(AppState& state, FormWindow& window);

private:
    void ShowReading(AppState& state, const EncoderReading& reading);
    void ShowGuidance(AppState& state, FormWindow& window, const std::optional<EncoderGuidance>& guidance);

    Telescope& telescope_;
};

}  // namespace vsp
