#pragma once
// The sky of one satellite pass: the horizon as a circle about the zenith (north up, east left,
// as the sky is seen looking up), the satellite's track from rise to set with the rise, highest
// and set points and their local times, and the Sun and the Moon where they stand above the
// horizon at the middle of the pass.

#include <optional>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "shell/AppState.h"

namespace vsp {

struct SkyPlace {
    double azimuthDeg = 0.0;   // from north through east
    double altitudeDeg = 0.0;
};

struct PassSky {
    std::vector<SkyPlace> track;      // rise to set
    std::string riseText, highestText, setText;  // local clock times
    std::optional<SkyPlace> sun, moon;
};

// Where a place lands on a square picture `side` pixels wide; the horizon fills it less a
// margin.
void SkyPlacePixel(const SkyPlace& place, int side, int& x, int& y);

// The horizon circle with the circles of 30 and 60 degrees of altitude and the eight points of
// the compass outside it.
void DrawHorizonFrame(Canvas& canvas, int side, Colour frame);

// Draws the pass into `canvas` (made square, `side` pixels) in the window's colours (reds only
// at night).
void DrawPassSky(Canvas& canvas, int side, const PassSky& pass, const AppState& state);

}  // namespace vsp
