#include "satellites/PassVisibility.h"

#include <cmath>
#include <numbers>

#include "ephemeris/Constants.h"
#include "ephemeris/Spherical.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

Vec3 PositionOf(const SatelliteElements& e) { return {{e.position.x, e.position.y, e.position.z}}; }

double AngleDeg(const Vec3& a, const Vec3& b) { return AngularSeparation(a, b) * kRadToDeg; }

PassMoment MomentAt(double jdUt, double deltaTSeconds, const SatelliteObserver& observer, SatelliteElements& e) {
    ComputeSatelliteVisibility(jdUt, deltaTSeconds, observer, e);
    return {!e.eclipsed, SunAltitudeDeg(jdUt, deltaTSeconds, observer)};
}

}  // namespace

double SunAltitudeDeg(double jdUt, double deltaTSeconds, const SatelliteObserver& observer) {
    const ObserverPlace place = PlaceObserver(jdUt, observer);
    return 90.0 - AngleDeg(SunPosition(jdUt, deltaTSeconds) - place.positionKm, place.zenith);
}

PassVisibility JudgePassVisibility(const SatellitePass& pass, SatelliteElements elements,
                                   const SatelliteObserver& observer, double deltaTSeconds) {
    PassVisibility v;
    v.rise = MomentAt(pass.riseJd, deltaTSeconds, observer, elements);
    v.set = MomentAt(pass.setJd, deltaTSeconds, observer, elements);
    v.max = MomentAt(pass.maxJd, deltaTSeconds, observer, elements);
    const Vec3 satellite = PositionOf(elements);
    const Vec3 toObserver = PlaceObserver(pass.maxJd, observer).positionKm - satellite;
    v.rangeKmAtMax = Length(toObserver);
    v.phaseDegAtMax = AngleDeg(SunPosition(pass.maxJd, deltaTSeconds) - satellite, toObserver);
    return v;
}

std::optional<double> SatelliteMagnitude(double standardMagnitude, double rangeKm, double phaseDeg) {
    const double b = phaseDeg * kDegToRad;
    const double lit = std::sin(b) + (std::numbers::pi - b) * std::cos(b);
    if (!(lit > 0.0) || !(rangeKm > 0.0)) return std::nullopt;
    return standardMagnitude - 15.0 + 5.0 * std::log10(rangeKm) - 2.5 * std::log10(lit);
}

}  // namespace vsp
