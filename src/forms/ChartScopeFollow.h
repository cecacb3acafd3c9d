#pragma once
// Following the telescope on the sky chart: the mount is connected once, read at a steady
// period, and the chart's scope marker kept where it points.

#include <chrono>

#include "chart/ChartRenderer.h"
#include "scope/Telescope.h"

namespace vsp {

class ChartScopeFollow {
public:
    // How often the mount is read while following.
    static constexpr std::chrono::milliseconds kPeriod{250};

    // Connects the mount; false leaves following off (the dispatcher has told the user why).
    bool Start(Telescope& telescope);
    // Reads where the mount points and sets the marker there (of date); true when the marker
    // moved. A failed read leaves the last good place.
    bool Tick(ChartScene& scene);
    // Disconnects the mount; the marker stays in the scene for the caller to drop.
    void Stop();

    bool Following() const { return telescope_ != nullptr; }

private:
    Telescope* telescope_ = nullptr;
};

}  // namespace vsp
