#pragma once
// The face of Jupiter, Saturn, Mars or the Moon drawn pixel by pixel: the disc (flattened by its
// polar ratio and the tilt toward the Earth) shaded by its phase, Jupiter's belts and the Great
// Red Spot at its System II longitude, Saturn's rings at their tilt (in front of the globe on the
// near side, hidden behind it on the far side), the Moon's terminator and one feature marked, and
// satellites at their places with their shadows on the disc.
//
// Offsets are on the sky in the planet's equatorial radii, x toward the east, y toward celestial
// north; the view turns them as an eyepiece shows the sky. The shading is a picture, not a
// photometric model: a limb darkening and fixed band latitudes (Jupiter's belts at their usual
// places, within a few degrees of any year's).

#include <cmath>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace vsp {

enum class PictureView { kErect, kInverted, kMirrored };

enum class PictureBody { kJupiter, kSaturn, kMars, kMoon };

struct PictureSatellite {
    std::string label;       // a letter or two beside it
    double x = 0.0, y = 0.0;  // sky offsets, radii
    bool behind = false;     // occulted: not drawn
    bool eclipsed = false;   // in the planet's shadow: drawn as an outline
    bool shadowOnDisc = false;
    double shadowX = 0.0, shadowY = 0.0;
};

struct PlanetPictureInput {
    PictureBody body = PictureBody::kJupiter;
    double polarRatio = 1.0;       // polar over equatorial radius
    double axisPaDeg = 0.0;        // the north pole's position angle, from north through east
    double subEarthLatDeg = 0.0;   // the Earth's latitude on the body (Saturn: the ring tilt B)
    double centralMeridianDeg = 0.0;  // Jupiter: System II; Mars: west longitude; Moon: east
                                      // longitude of the sub-Earth point
    double phaseAngleDeg = 0.0;    // Sun-body-Earth
    double brightLimbPaDeg = 0.0;  // position angle of the Sun seen from the body
    double grsLongitudeDeg = NAN;  // Jupiter's Great Red Spot, System II; NaN: none
    double markLatDeg = NAN, markLonDeg = NAN, markRadiusDeg = 0.0;  // a feature to mark
    std::vector<PictureSatellite> satellites;
};

// The picture's directions of the sky's east and north, unit steps in pixels (y down): an
// eyepiece's view, or the chart's own turn and mirror at the body.
struct SkyAxes {
    double eastX = -1.0, eastY = 0.0, northX = 0.0, northY = -1.0;
};
SkyAxes AxesOf(PictureView view);

// Draws into `canvas` with the disc's centre at (cx, cy) and its equatorial radius `radius`
// pixels; satellites beyond the canvas are left out. `nightRed` 0 draws in colour, else every
// colour becomes a red of its brightness at that intensity (1..255).
void DrawPlanetPicture(Canvas& canvas, int cx, int cy, int radius, const PlanetPictureInput& input,
                       const SkyAxes& axes, int nightRed);

}  // namespace vsp
