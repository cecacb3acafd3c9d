#pragma once
// A comet or minor planet as the observer sees it at one instant, as `minor show` prints it
// and the Comets&Asteroids form shows it: its place and figures (MinorBodyPosition.h), where it
// stands above the horizon, the constellation that holds it, its place referred back to the
// J2000 equator for a telescope, and when it rises, culminates and sets on the local day.

#include "ephemeris/ComputeBody.h"
#include "ephemeris/MinorBodyPosition.h"
#include "ephemeris/RiseTransitSet.h"
#include "ephemeris/Time.h"

namespace vsp {

struct MinorBodySky {
    MinorBodyPosition place;  // in the settings' chart mode, as ComputeBody gives the planets
    BodyHorizon horizon;      // altitude and azimuth of that place, degrees
    // The place without refraction (geocentric or topocentric as the mode says), precession
    // and nutation undone: what the chart holds its bodies as and a telescope's goto takes.
    // Hours and degrees, J2000 equator.
    double catalogRaHours = 0.0, catalogDecDeg = 0.0;
    int constellation = -1;   // row of the constellation table, -1 none
};

// Everything but the rise and set at `when`. kEphemerisOk, or ComputeMinorBody's error with
// every figure zero and no constellation.
int MinorBodySkyAt(const MinorBodyElements& body, const Instant& when, const EphemerisSettings& settings,
                   MinorBodySky& out);

// Rise, transit and set on the local date `day` (its clock ignored), the planets' standard
// altitude raised by `horizonDeg` (the "Horizon" preference). kEphemerisOk or the error of a
// place of the three days, `times` then zero.
int MinorBodyDayTimes(const MinorBodyElements& body, const CalendarDateTime& day, double horizonDeg,
                      const EphemerisSettings& settings, RiseTransitSetTimes& times);

}  // namespace vsp
