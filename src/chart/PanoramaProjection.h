#pragma once
// "Horizon View": the rectangular panorama of azimuth and altitude (an equirectangular
// projection of the horizontal frame). Plane x is the azimuth and plane y the altitude, each
// times 0.8952465548 (15019745 in Unit24), so that a 16.16 magnification of 1.0 gives one pixel
// a degree; the panorama is drawn at 0.8 of the level's magnification. The plane repeats every
// turn of azimuth: a place beyond either edge comes back one turn over, and lines keep from
// crossing the seam. Nothing below the horizon is placed.
#include "chart/ChartProjection.h"

namespace vsp {

class PanoramaProjection final : public ChartProjection {
public:
    void Prepare(const ProjectionSetup& setup) override;
    ScreenPoint Forward(const ChartVector& v) const override;
    ScreenPoint ForwardDegrees(double azDeg, double altDeg) const override;
    SkyDirection Backward(double xPx, double yPx) const override;
    double PixelsPerDegree() const override;
    int32_t TurnPixels() const override;
};

}  // namespace vsp
