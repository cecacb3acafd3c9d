#pragma once
// The contacts of a lunar eclipse from the geometry of the Earth's shadow, refining the
// instants of the eclipse search (Meeus ch. 54), which follow a mean shadow and part from the
// true one by up to two and a half minutes.
//
// The shadow's axis runs from the apparent geocentric Sun (light time and aberration, VSOP87)
// through the Earth's centre; the Moon is the long lunar theory's geocentric place. Both are of
// the true equator and equinox of date, which the distance from the axis does not depend on.
// The cones are those of a Sun of radius 695,700 km and an Earth of its mean radius 6,371 km
// raised by 88 km of atmosphere, which stands in for the customary enlargement of the shadow;
// the Moon's mean radius is 1,737.4 km. P1/P4 are where the Moon's limb touches the penumbra
// from outside, U1/U4 the umbra from outside, U2/U3 from inside; greatest eclipse is the least
// distance of the Moon's centre from the axis. Found to half a second. Against
// astronomy-engine's SearchLunarEclipse (the same cones) with its ΔT, 2026 March and August:
// within 6.2 s.

#include <array>

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/LunarPhase.h"

namespace vsp {

// P1, U1, U2, greatest, U3, U4, P4 as JD (UT) with the given ΔT (seconds); NaN for a contact
// that does not happen. `search` gives the eclipse search's instants, the greatest of which
// must lie within an hour of the true one; all seven are NaN when a body is out of range.
std::array<double, 7> LunarShadowContacts(const LunarEclipseDetails& search, double deltaT,
                                          const EphemerisSettings& settings);

}  // namespace vsp
