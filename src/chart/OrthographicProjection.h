#pragma once
// "Whole Sky", "Visible Sky" and "Equatorial Sky": the orthographic projection of the unit
// sphere seen from afar in the centre direction, onto the plane through the sphere's middle.
// A unit vector is turned by a quarter turn minus the centre's longitude A0 and then by its
// latitude B0, which brings the centre onto the depth axis with the longitude growing to the
// right before the x sign; plane x (across) and y (up) are the other two components. Placed
// are the near hemisphere (depth > 0) within the chart area and a 30-pixel margin, and with
// the horizon cut only directions above the horizon (z >= 0 of the horizontal frame).
//
// Scale: (2621440 / (32 / pu)) / tan(F/2) / 1024 pixels per unit, truncated to whole pixels,
// F the projection angle of the zoom level (80 / tan 55 degrees, 56 pixels, at level 0 and
// pu 1).
#include "chart/ChartProjection.h"
#include "chart/FixedTrig.h"

namespace vsp {

class OrthographicProjection final : public ChartProjection {
public:
    // The direction at the middle of the chart, degrees of the frame.
    void SetCentre(double firstDeg, double secondDeg);
    // Leaves out directions below the horizon ("Visible Sky"; the frame is then horizontal).
    void SetHorizonCut(bool cut) { horizonCut_ = cut; }

    void Prepare(const ProjectionSetup& setup) override;
    ScreenPoint Forward(const ChartVector& v) const override;
    ScreenPoint ForwardDegrees(double firstDeg, double secondDeg) const override;
    // A pixel off the sphere's disc snaps to its rim.
    SkyDirection Backward(double xPx, double yPx) const override;
    double PixelsPerDegree() const override;

private:
    // centreA_: sine and cosine of a quarter turn minus A0 (so cos A0, sin A0); centreB_: sine
    // and cosine of B0.
    SinCos24 centreA_{0, kUnit24One}, centreB_{0, kUnit24One};
    Unit24 boundX_ = 0, boundY_ = 0;  // culling half-widths, plane units
    bool horizonCut_ = false;
};

}  // namespace vsp
