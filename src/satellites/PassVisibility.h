#pragma once
// Whether a pass can be seen: at its rise, culmination and set, the satellite in sunlight
// (outside the Earth's shadow, a disc against the Sun's disc) while the Sun stands below -6
// degrees at the site (a sky at least as dark as the end of civil twilight); and its brightness
// at culmination by the diffuse sphere of a standard magnitude. The Sun is the low-precision
// solar theory (about 0.01 degree), geometric altitudes without refraction; satellite by
// near-Earth SGP4 as the complete pass search finds the pass.

#include <optional>

#include "satellites/CompletePassSearch.h"
#include "satellites/SatelliteElements.h"

namespace vsp {

inline constexpr double kDarkSkySunAltitudeDeg = -6.0;

struct PassMoment {
    bool sunlit = false;
    double sunAltitudeDeg = 0.0;
    bool Visible() const { return sunlit && sunAltitudeDeg < kDarkSkySunAltitudeDeg; }
};

struct PassVisibility {
    PassMoment rise, max, set;
    double rangeKmAtMax = 0.0;
    double phaseDegAtMax = 0.0;  // Sun-satellite-observer
    // A pass is listed as visible when it is at any of its three moments.
    bool Visible() const { return rise.Visible() || max.Visible() || set.Visible(); }
};

// The Sun's geometric altitude (degrees) at the observer; ΔT in seconds.
double SunAltitudeDeg(double jdUt, double deltaTSeconds, const SatelliteObserver& observer);

PassVisibility JudgePassVisibility(const SatellitePass& pass, SatelliteElements elements,
                                   const SatelliteObserver& observer, double deltaTSeconds);

// The magnitude at `rangeKm` and phase angle `phaseDeg` of a diffuse sphere whose standard
// magnitude (at 1000 km and 90 degrees of phase) is `standardMagnitude`:
// m0 - 15 + 5 log10(range) - 2.5 log10(sin b + (pi - b) cos b). Empty at full phase darkness
// (b = 180 degrees), where the sphere shows no lit face.
std::optional<double> SatelliteMagnitude(double standardMagnitude, double rangeKm, double phaseDeg);

}  // namespace vsp
