// The pass search's preconditions: whether the orbit can bring the satellite above the
// observer's horizon at all, and whether it hangs still in the sky.

#include <cmath>

#include "ephemeris/Constants.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {

using namespace sat;

bool CanEverRise(const SatelliteElements& elements, double observerLatitudeDeg) {
    const double n = elements.meanMotionRevPerDay;
    if (n == 0.0) return false;
    double inclinationDeg = elements.inclination * kRadToDeg;
    if (inclinationDeg >= 90.0) inclinationDeg = 180.0 - inclinationDeg;  // retrograde: the same band
    const double semiMajorAxisKm = 331.25 * std::pow(kMinutesPerDay / n, 2.0 / 3.0);
    const double apogeeKm = semiMajorAxisKm * (1.0 + elements.eccentricity) - sat::kEarthRadiusKm;
    const double reach = std::acos(sat::kEarthRadiusKm / (apogeeKm + sat::kEarthRadiusKm));
    return reach + inclinationDeg * kDegToRad > std::fabs(observerLatitudeDeg * kDegToRad);
}

bool IsGeostationary(const SatelliteElements& elements) {
    return std::fabs(elements.meanMotionRevPerDay - 1.0027) < 0.0002;
}

}  // namespace vsp
