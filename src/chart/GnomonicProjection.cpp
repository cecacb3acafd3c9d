#include "chart/GnomonicProjection.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {

bool GnomonicStandard(const SkyDirection& centreDeg, const SkyDirection& raDecDeg, double& xi, double& eta) {
    const double sinCentre = std::sin(centreDeg.second * kDegToRad), cosCentre = std::cos(centreDeg.second * kDegToRad);
    const double a = (raDecDeg.first - centreDeg.first) * kDegToRad;
    const double d = raDecDeg.second * kDegToRad;
    const double cosC = sinCentre * std::sin(d) + cosCentre * std::cos(d) * std::cos(a);
    if (cosC <= 0.0) return false;
    xi = std::cos(d) * std::sin(a) / cosC;
    eta = (cosCentre * std::sin(d) - sinCentre * std::cos(d) * std::cos(a)) / cosC;
    return true;
}

SkyDirection GnomonicPlace(const SkyDirection& centreDeg, double xi, double eta) {
    const double sinCentre = std::sin(centreDeg.second * kDegToRad), cosCentre = std::cos(centreDeg.second * kDegToRad);
    const double rho = std::hypot(xi, eta);
    if (rho == 0.0) return SkyDirection{ReduceAngle(centreDeg.first, 360.0), centreDeg.second};
    const double c = std::atan(rho);
    const double sinDec = std::cos(c) * sinCentre + eta * std::sin(c) * cosCentre / rho;
    const double a = std::atan2(xi * std::sin(c), rho * cosCentre * std::cos(c) - eta * sinCentre * std::sin(c));
    return SkyDirection{ReduceAngle(centreDeg.first + a * kRadToDeg, 360.0),
                        std::asin(std::clamp(sinDec, -1.0, 1.0)) * kRadToDeg};
}

GnomonicProjection::GnomonicProjection(const SkyDirection& centreDeg, double radiusDeg, int sidePx)
    : centre_(centreDeg), planePerUnit_(1.0 / std::tan(radiusDeg * kDegToRad)), half_(sidePx / 2) {}

// x grows to the west (to the right, east being left), y to the north.
ScreenPoint GnomonicProjection::Forward(const SkyDirection& raDecDeg) const {
    double xi = 0.0, eta = 0.0;
    if (!GnomonicStandard(centre_, raDecDeg, xi, eta)) return {};
    return ScreenPoint{true, half_ + int32_t(std::lround(-xi * planePerUnit_ * half_)),
                       half_ - int32_t(std::lround(eta * planePerUnit_ * half_))};
}

SkyDirection GnomonicProjection::Backward(double xPx, double yPx) const {
    return GnomonicPlace(centre_, -(xPx - half_) / half_ / planePerUnit_, (half_ - yPx) / half_ / planePerUnit_);
}

double GnomonicProjection::PixelsPerDegree() const { return half_ * planePerUnit_ * kDegToRad; }

}  // namespace vsp
