#pragma once
// The gnomonic (central) projection about a centre of the equatorial frame onto a square
// picture, in floating point: north up and east to the left as the eye sees the sky, the
// field's radius reaching from the middle to the edges. Great circles come out straight. The
// scope control form's picture of where the telescope points uses it for a few dozen stars.
// Formulas: Snyder, "Map Projections: A Working Manual" (1987), chapter 22.
//
// Directions: right ascension and declination in degrees, of whatever equator and equinox the
// centre is given in. Only the near hemisphere is placed (the angle from the centre below 90
// degrees); places beyond the picture's edges are placed off it.
#include "chart/SkyProjection.h"

namespace vsp {

// Standard coordinates about `centreDeg`: tangents of the angle from the centre, xi towards the
// east and eta towards the north (as SOFA's iauTpxes gives them). False on the far hemisphere.
bool GnomonicStandard(const SkyDirection& centreDeg, const SkyDirection& raDecDeg, double& xi, double& eta);
// The place whose standard coordinates about `centreDeg` are (xi, eta); right ascension in [0, 360).
SkyDirection GnomonicPlace(const SkyDirection& centreDeg, double xi, double eta);

class GnomonicProjection final : public SkyProjection<SkyDirection> {
public:
    // A picture `sidePx` pixels square showing `radiusDeg` from its middle to each edge.
    GnomonicProjection(const SkyDirection& centreDeg, double radiusDeg, int sidePx);

    ScreenPoint Forward(const SkyDirection& raDecDeg) const override;
    SkyDirection Backward(double xPx, double yPx) const override;
    double PixelsPerDegree() const override;

private:
    SkyDirection centre_;
    double planePerUnit_;  // plane units of a tangent of 1: the field's radius is one unit
    int half_;             // pixels from the middle to an edge, the middle's pixel
};

}  // namespace vsp
