#pragma once
// When the Sun, the Moon, a planet, a comet or a minor planet rises, crosses the meridian and
// sets on a local day, as every screen and command that lists a body's rise and set computes it.

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/MinorBodyPosition.h"
#include "ephemeris/RiseTransitSet.h"
#include "ephemeris/Time.h"

namespace vsp {

// The planets' altitude of the centre at rise and set (degrees): refraction alone. Comets and
// minor planets rise and set at it too.
inline constexpr double kPlanetStandardAltitude = -0.5667;

// The altitude of the centre at rise and set (degrees) as seen from the site: refraction and,
// for the Sun and the Moon, a mean semidiameter (the upper limb on the horizon).
double BodyStandardAltitude(int code);

// Rise, transit and set of body `code` on the local date for the altitude h0 of its centre
// as seen from the site (BodyStandardAltitude plus any raised horizon): the body's horizontal
// parallax is added before its geocentric places are searched, which matters for the Moon
// (about a degree) and hardly for anything else. The body is interpolated between its apparent
// geocentric places at 0h local of the day before, the day and the day after. Returns
// kEphemerisOk, or the body computation's error with `failedDay` (when given) set to the day
// whose place failed and the times zeroed.
int BodyRiseTransitSet(int code, int year, int month, int day, double h0, const EphemerisSettings& settings,
                       RiseTransitSetTimes& times, CalendarDateTime* failedDay = nullptr);

// The same for a comet or a minor planet from its elements (ComputeMinorBody's places).
int MinorBodyRiseTransitSet(const MinorBodyElements& body, int year, int month, int day, double h0,
                            const EphemerisSettings& settings, RiseTransitSetTimes& times,
                            CalendarDateTime* failedDay = nullptr);

}  // namespace vsp
