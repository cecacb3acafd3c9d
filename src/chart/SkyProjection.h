#pragma once
// The one shape of the sky's projections, as planetarium programs give theirs: forward (a
// direction of the projection's frame to a pixel), backward (a pixel to that direction), the
// scale and the limits of what is placed. `Direction` is what the forward step starts from:
// the chart projects thousands of stars a redraw from Unit24 unit vectors in fixed point
// (ChartProjection.h), the scope control form's picture a few dozen from right ascension and
// declination in floating point (GnomonicProjection.h).
//
// Pixels: x to the right and y down on the picture the projection is set up for, whole pixels
// forward, fractions allowed backward. Directions backward: the frame's longitude (azimuth from
// north through east, or right ascension) in [0, 360) and its latitude (altitude or
// declination), degrees.
#include <cstdint>

namespace vsp {

struct ScreenPoint {
    bool visible = false;
    int32_t x = 0;
    int32_t y = 0;
};

struct SkyDirection {
    double first = 0.0;   // azimuth or right ascension, degrees or hours as the caller says
    double second = 0.0;  // altitude or declination, degrees
};

template <class Direction>
class SkyProjection {
public:
    virtual ~SkyProjection() = default;

    // Forward: the pixel of a direction; not visible beyond the projection's limits (below the
    // horizon, on the far side, outside the culling bounds of the picture).
    virtual ScreenPoint Forward(const Direction& direction) const = 0;
    // Backward: the direction under a pixel (degrees, longitude in [0, 360)).
    virtual SkyDirection Backward(double xPx, double yPx) const = 0;
    // Scale: pixels per degree of sky at the projection's centre.
    virtual double PixelsPerDegree() const = 0;
    // Limits across x: the pixels of one turn of longitude when the plane repeats sideways (the
    // panorama wraps at north), so that callers bring a place back into view and keep lines
    // from crossing the seam; 0 when it does not repeat.
    virtual int32_t TurnPixels() const { return 0; }

protected:
    SkyProjection() = default;
    SkyProjection(const SkyProjection&) = default;
    SkyProjection& operator=(const SkyProjection&) = default;
};

}  // namespace vsp
