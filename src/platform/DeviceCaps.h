#pragma once
// What the display reports about itself. Layouts are written for 96 pixels per logical inch.

#include <algorithm>

namespace vsp {

inline constexpr int kReferenceDpi = 96;

struct DeviceCaps {
    int logPixelsX = kReferenceDpi;
    int logPixelsY = kReferenceDpi;
    int screenWidth = 240;
    int screenHeight = 320;
    int scrollBarWidth = 13;  // width of a vertical scroll bar
    int listRowHeight = 16;   // height of one list-control row

    // The factor that turns 96-dpi layout lengths and font sizes into device pixels.
    double Scale() const { return double(logPixelsX) / kReferenceDpi; }

    // The 96-dpi handheld screen scaled to `dpi` in both directions.
    static DeviceCaps ForDpi(int dpi) {
        DeviceCaps caps;
        caps.logPixelsX = caps.logPixelsY = dpi;
        caps.screenWidth = 240 * dpi / kReferenceDpi;
        caps.screenHeight = 320 * dpi / kReferenceDpi;
        caps.scrollBarWidth = 13 * dpi / kReferenceDpi;
        caps.listRowHeight = 16 * dpi / kReferenceDpi;
        return caps;
    }

    // The dpi of the largest scale of the 96-dpi screen, in steps of 1 / `stepsPerWhole` (1 for
    // whole scales, 2 for half ones), that fits `width` x `height` pixels; the smallest step when
    // none fits, and never beyond the 960 dpi the window accepts.
    static constexpr int DpiFitting(int width, int height, int stepsPerWhole) {
        const DeviceCaps reference;
        int steps = stepsPerWhole * width / reference.screenWidth;
        steps = std::min(steps, stepsPerWhole * height / reference.screenHeight);
        steps = std::clamp(steps, 1, 10 * stepsPerWhole);
        return steps * kReferenceDpi / stepsPerWhole;
    }
};

}  // namespace vsp
