#pragma once
// "Sky Map": the stereographic projection from the zenith onto the horizon's plane, turned by
// the disc's rotation. A direction at zenith distance z and azimuth A lies on the plane at
// r = tan(z/2) toward (r sin A, r cos A) before the turn, so the horizon is the circle r = 1
// (64 * magnification * pu pixels); nothing below the horizon is placed. Forward from a unit
// vector (x north, y east, z up) needs one division: r (sin A, cos A) = (y, x) / (1 + z).
#include "chart/ChartProjection.h"

namespace vsp {

class StereographicProjection final : public ChartProjection {
public:
    // The disc's turn, degrees (counter-clockwise on the plane before the signs).
    void SetRotation(int degrees);

    void Prepare(const ProjectionSetup& setup) override;
    ScreenPoint Forward(const ChartVector& v) const override;
    ScreenPoint ForwardDegrees(double azDeg, double altDeg) const override;
    SkyDirection Backward(double xPx, double yPx) const override;
    double PixelsPerDegree() const override;

private:
    Unit24 rotationCos_ = kUnit24One, rotationSin_ = 0;

    // The plane point (r sin A, r cos A), turned by the disc's rotation, in pixels.
    ScreenPoint PlaceOnDisc(Unit24 east, Unit24 north) const;
};

}  // namespace vsp
