#include "chart/PanoramaProjection.h"

#include <cmath>

#include "chart/FixedTrig.h"
#include "chart/ZoomLevels.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {
namespace {

// The panorama's plane units per radian (0.8952465548 in Unit24): one degree is 2^18 units,
// so that a 16.16 magnification of 1.0 gives one pixel per degree.
constexpr Unit24 kPlanePerRadian = 15019745;
// The panorama is drawn at 0.8 of the magnification.
constexpr int64_t kShrink = 13421772;

}  // namespace

void PanoramaProjection::Prepare(const ProjectionSetup& setup) {
    const int32_t magnification = int32_t((Magnification16(setup.level) * setup.pixelUnit * kShrink) >> 24);
    scaleX_ = setup.signX * magnification;
    scaleY_ = setup.signY * magnification;
}

ScreenPoint PanoramaProjection::Forward(const ChartVector& v) const {
    if (v.z < 0) return {};
    return MagnifiedToScreen(MultiplyUnit24(FixedAtan2(v.y, v.x), kPlanePerRadian),
                             MultiplyUnit24(FixedArcsin(v.z), kPlanePerRadian));
}

ScreenPoint PanoramaProjection::ForwardDegrees(double azDeg, double altDeg) const {
    return MagnifiedToScreen(RoundToUnit24(azDeg * kDegToRad * kPlanePerRadian / kUnit24One),
                             RoundToUnit24(altDeg * kDegToRad * kPlanePerRadian / kUnit24One));
}

SkyDirection PanoramaProjection::Backward(double xPx, double yPx) const {
    return SkyDirection{ReduceAngle((centerX_ - xPx) * 65536.0 / scaleX_, 360.0), (centerY_ - yPx) * 65536.0 / scaleY_};
}

double PanoramaProjection::PixelsPerDegree() const { return std::abs(scaleX_) / 65536.0; }

int32_t PanoramaProjection::TurnPixels() const { return int32_t(360.0 * PixelsPerDegree()); }

}  // namespace vsp
