#include "chart/OrthographicProjection.h"

#include <algorithm>
#include <cmath>

#include "chart/ZoomLevels.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {
namespace {

// Bodies this many pixels beyond the chart area are still placed (their symbols reach in).
constexpr int kCullMarginPx = 30;

}  // namespace

void OrthographicProjection::SetCentre(double firstDeg, double secondDeg) {
    const double a = firstDeg * kDegToRad, b = secondDeg * kDegToRad;
    centreA_ = SinCos24{RoundToUnit24(std::cos(a)), RoundToUnit24(std::sin(a))};
    centreB_ = SinCos24{RoundToUnit24(std::sin(b)), RoundToUnit24(std::cos(b))};
}

void OrthographicProjection::Prepare(const ProjectionSetup& setup) {
    const double t = std::tan(ProjectionAngleDeg(setup.level) * kDegToRad / 2.0);
    const double scale0 = (2621440 / std::max(1, 32 / setup.pixelUnit)) / t;
    SetOrigin(setup.widthPx / 2, setup.heightPx / 2);
    boundX_ = RoundToUnit24((centerX_ + kCullMarginPx) * 1024.0 / scale0);
    boundY_ = RoundToUnit24((centerY_ + kCullMarginPx) * 1024.0 / scale0);
    const int32_t pixelsPerUnit = static_cast<int32_t>(scale0) >> 10;
    scaleX_ = setup.signX * pixelsPerUnit;
    scaleY_ = setup.signY * pixelsPerUnit;
}

// Culls on each rotated component as soon as it is known.
ScreenPoint OrthographicProjection::Forward(const ChartVector& v) const {
    if (horizonCut_ && v.z < 0) return {};
    const Unit24 across = MultiplyUnit24(centreA_.cos, v.x) - MultiplyUnit24(centreA_.sin, v.y);
    if (across < -boundX_ || across > boundX_) return {};
    const Unit24 toward = MultiplyUnit24(centreA_.sin, v.x) + MultiplyUnit24(centreA_.cos, v.y);
    if (MultiplyUnit24(centreB_.cos, toward) + MultiplyUnit24(centreB_.sin, v.z) <= 0) return {};
    const Unit24 up = MultiplyUnit24(centreB_.cos, v.z) - MultiplyUnit24(centreB_.sin, toward);
    if (up < -boundY_ || up > boundY_) return {};
    return ScreenPoint{true, centerX_ - MultiplyUnit24(across, scaleX_), centerY_ - MultiplyUnit24(up, scaleY_)};
}

ScreenPoint OrthographicProjection::ForwardDegrees(double firstDeg, double secondDeg) const {
    return Forward(FrameVector(firstDeg, secondDeg));
}

SkyDirection OrthographicProjection::Backward(double xPx, double yPx) const {
    double across = (centerX_ - xPx) / scaleX_, up = (centerY_ - yPx) / scaleY_;
    const double rim = across * across + up * up;
    if (rim > 1.0) {
        across /= std::sqrt(rim);
        up /= std::sqrt(rim);
    }
    const double depth = std::sqrt(std::max(0.0, 1.0 - across * across - up * up));
    const double cA = Unit24ToDouble(centreA_.cos), sA = Unit24ToDouble(centreA_.sin);
    const double cB = Unit24ToDouble(centreB_.cos), sB = Unit24ToDouble(centreB_.sin);
    const double toward = cB * depth - sB * up;
    const double z = sB * depth + cB * up;
    const double first = std::atan2(-sA * across + cA * toward, cA * across + sA * toward);
    return SkyDirection{ReduceAngle(first * kRadToDeg, 360.0), std::asin(std::clamp(z, -1.0, 1.0)) * kRadToDeg};
}

// A plane unit is |scale| pixels, and near the centre the plane grows as the angle (radians).
double OrthographicProjection::PixelsPerDegree() const { return std::abs(scaleX_) * kDegToRad; }

}  // namespace vsp
