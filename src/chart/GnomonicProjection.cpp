#include "chart/GnomonicProjection.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {

GnomonicProjection::GnomonicProjection(const SkyDirection& centreDeg, double radiusDeg, int sidePx)
    : centre_(centreDeg),
      sinCentreDec_(std::sin(centreDeg.second * kDegToRad)),
      cosCentreDec_(std::cos(centreDeg.second * kDegToRad)),
      planePerUnit_(1.0 / std::tan(radiusDeg * kDegToRad)),
      half_(sidePx / 2) {}

// x grows to the west (to the right, east being left), y to the north.
ScreenPoint GnomonicProjection::Forward(const SkyDirection& raDecDeg) const {
    const double a = (raDecDeg.first - centre_.first) * kDegToRad;
    const double d = raDecDeg.second * kDegToRad;
    const double cosC = sinCentreDec_ * std::sin(d) + cosCentreDec_ * std::cos(d) * std::cos(a);
    if (cosC <= 0.0) return {};
    const double x = -std::cos(d) * std::sin(a) / cosC * planePerUnit_;
    const double y = (cosCentreDec_ * std::sin(d) - sinCentreDec_ * std::cos(d) * std::cos(a)) / cosC * planePerUnit_;
    return ScreenPoint{true, half_ + int32_t(std::lround(x * half_)), half_ - int32_t(std::lround(y * half_))};
}

SkyDirection GnomonicProjection::Backward(double xPx, double yPx) const {
    // Tangent-plane coordinates with x to the east, as the formulas count it.
    const double x = -(xPx - half_) / half_ / planePerUnit_, y = (half_ - yPx) / half_ / planePerUnit_;
    const double rho = std::hypot(x, y);
    if (rho == 0.0) return SkyDirection{ReduceAngle(centre_.first, 360.0), centre_.second};
    const double c = std::atan(rho);
    const double sinDec = std::cos(c) * sinCentreDec_ + y * std::sin(c) * cosCentreDec_ / rho;
    const double a = std::atan2(x * std::sin(c), rho * cosCentreDec_ * std::cos(c) - y * sinCentreDec_ * std::sin(c));
    return SkyDirection{ReduceAngle(centre_.first + a * kRadToDeg, 360.0), std::asin(std::clamp(sinDec, -1.0, 1.0)) * kRadToDeg};
}

double GnomonicProjection::PixelsPerDegree() const { return half_ * planePerUnit_ * kDegToRad; }

}  // namespace vsp
