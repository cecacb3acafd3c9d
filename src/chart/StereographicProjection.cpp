#include "chart/StereographicProjection.h"

#include <cmath>
#include <numbers>

#include "chart/ZoomLevels.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {

void StereographicProjection::SetRotation(int degrees) {
    rotationCos_ = RoundToUnit24(std::cos(degrees * kDegToRad));
    rotationSin_ = RoundToUnit24(std::sin(degrees * kDegToRad));
}

void StereographicProjection::Prepare(const ProjectionSetup& setup) {
    const int32_t magnification = Magnification16(setup.level) * setup.pixelUnit;
    scaleX_ = setup.signX * magnification;
    scaleY_ = setup.signY * magnification;
}

ScreenPoint StereographicProjection::Forward(const ChartVector& v) const {
    if (v.z < 0) return {};
    const int64_t denominator = int64_t(kUnit24One) + v.z;
    return PlaceOnDisc(Unit24((int64_t(v.y) << 24) / denominator), Unit24((int64_t(v.x) << 24) / denominator));
}

ScreenPoint StereographicProjection::PlaceOnDisc(Unit24 east, Unit24 north) const {
    return MagnifiedToScreen(MultiplyUnit24(rotationCos_, east) - MultiplyUnit24(rotationSin_, north),
                             MultiplyUnit24(rotationSin_, east) + MultiplyUnit24(rotationCos_, north));
}

ScreenPoint StereographicProjection::ForwardDegrees(double azDeg, double altDeg) const {
    const double az = azDeg * kDegToRad, alt = altDeg * kDegToRad;
    const double r = std::tan((std::numbers::pi / 2.0 - alt) / 2.0);
    const double c = Unit24ToDouble(rotationCos_), s = Unit24ToDouble(rotationSin_);
    const double east = r * std::sin(az), north = r * std::cos(az);
    return MagnifiedToScreen(RoundToUnit24(c * east - s * north), RoundToUnit24(s * east + c * north));
}

SkyDirection StereographicProjection::Backward(double xPx, double yPx) const {
    const double planeX = (centerX_ - xPx) * 1024.0 / scaleX_, planeY = (centerY_ - yPx) * 1024.0 / scaleY_;
    const double c = Unit24ToDouble(rotationCos_), s = Unit24ToDouble(rotationSin_);
    const double north = planeY * c - planeX * s, east = planeX * c + planeY * s;
    const double zenithDistance = 2.0 * std::atan(std::hypot(north, east));
    return SkyDirection{ReduceAngle(std::atan2(east, north) * kRadToDeg, 360.0), 90.0 - zenithDistance * kRadToDeg};
}

// Near the zenith r grows as half the zenith distance (radians), and a plane unit is
// |scale| / 1024 pixels.
double StereographicProjection::PixelsPerDegree() const { return std::abs(scaleX_) / 2048.0 * kDegToRad; }

}  // namespace vsp
