#pragma once
// Where the pole star stands around the celestial pole at an instant, for setting up an
// equatorial mount with a polar scope: Polaris (HIP 11767) in the north, sigma Octantis
// (HIP 104382) in the south.
//
// The star's place is the topocentric apparent place of date of StarHorizontal's full
// reduction (proper motion, light deflection, annual and diurnal aberration, precession,
// nutation), without refraction. The hour angle is the local apparent sidereal time (IAU 1982
// mean sidereal time plus the equation of the equinoxes) minus that right ascension. Measured
// against ERFA atci13 + atio13 (no refraction, UT1 = UTC) at six places and dates of 2019-2031:
// within 3" of hour angle, 0.05" of pole distance and 0.2 s in the next upper transit. Near
// the pole an arcsecond of place is up to 90" of hour angle.
//
// Catalog places (ICRS, epoch J2000), as SIMBAD gives them:
//   Polaris       02h31m49.09456s +89°15'50.7923", mu_a* 44.48, mu_d -11.85 mas/yr, plx 7.54 mas
//                 (Hipparcos, new reduction: F. van Leeuwen, A&A 474, 653 (2007));
//   sigma Octantis 21h08m46.86357s -88°57'23.3983", mu_a* 26.323, mu_d 4.721 mas/yr, plx 11.1005
//                 mas (Gaia DR3, A&A 674, A1 (2023), brought to J2000).
//
// Clock positions: the star's place on a 12-hour clock face around the pole, 12 at the top,
// in clock hours [0, 12). The erect view is the sky as the observer sees it facing the pole:
// 12 is the meridian above the pole, where the star stands at upper transit (hour angle 0);
// the star turns counterclockwise in the north (hour angle 6h: 9 o'clock) and clockwise in the
// south (hour angle 6h: 3 o'clock). A polar scope, a simple refractor, turns its view by half a
// turn: the inverted clock is the erect one plus 6 (Polaris at hour angle 0 stands at 6 o'clock).

#include "ephemeris/EphemerisSettings.h"
#include "ephemeris/Instant.h"
#include "ephemeris/StarHorizontal.h"

namespace vsp {

enum class CelestialPole { kNorth, kSouth };

struct PoleStarInfo {
    const char* name;    // "Polaris", "sigma Octantis"
    int hipparcos;       // HIP number
    StarCatalogPlace place;
};

const PoleStarInfo& PoleStarOf(CelestialPole pole);

struct PoleStarPosition {
    double raHours = 0.0;              // apparent, true equator and equinox of date, [0, 24)
    double decDeg = 0.0;
    double hourAngleHours = 0.0;       // local apparent sidereal time - RA, [0, 24)
    double poleDistanceArcmin = 0.0;   // 90 - |dec|
    double clockErect = 0.0;           // clock hours [0, 12), see above
    double clockInverted = 0.0;
    double nextUpperTransitUt = 0.0;   // JD UT of the next hour angle 0 at or after the instant
};

// The star's clock position for an hour angle (hours), both views.
double ErectClock(CelestialPole pole, double hourAngleHours);
double InvertedClock(double erectClock);

// Returns 0, or the Earth ephemeris' error with the outputs zeroed. The site comes from
// settings.location; the chart mode of the settings is not used.
int PoleStarAt(CelestialPole pole, const Instant& when, const EphemerisSettings& settings, PoleStarPosition& out);

}  // namespace vsp
