#include "shell/Scale.h"

namespace vsp {

void ComputeScaleFactors(AppState& state) {
    const DeviceCaps& caps = state.windows.Caps();
    state.scaleX = double(caps.logPixelsX) / 96.0;
    state.scaleY = double(caps.logPixelsY) / 96.0;
}

int PixelUnit(AppState& state) {
    if (state.pixelUnit < 0) state.pixelUnit = state.windows.Caps().logPixelsX / 48;
    return state.pixelUnit;
}

int ScaledX(const AppState& state, int length) { return int(length * state.scaleX); }
int ScaledY(const AppState& state, int length) { return int(length * state.scaleY); }

}  // namespace vsp
