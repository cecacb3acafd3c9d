#pragma once
// The face of Mars as the observer sees it: the quantities of J. Meeus, Astronomical Algorithms
// (2nd ed., Willmann-Bell 1998, ch. 42), with the IAU rotation model of Mars (B. A. Archinal
// et al., Celest. Mech. Dyn. Astr. 130, 22 (2018): pole 317.68143 - 0.1061 T, 52.88650 -
// 0.0609 T; W = 176.630 + 350.89198226 d), the system the IAU nomenclature's longitudes are
// in; Meeus's older rotation runs 0.26 deg from it in 1992. Mars and the Earth from
// PlanetHeliocentric and EarthHeliocentric with light time, J2000. Measured against the same
// model applied to astronomy-engine's Mars over 40 dates 2000-2038: central meridian within
// 0.009 deg, sub-Earth latitude 0.007 deg (tests/ephemeris/PlanetFacesTest.cpp).
#include "ephemeris/Instant.h"

namespace vsp {

struct MarsFaceView {
    double centralMeridianDeg = 0.0;   // areographic longitude (west) of the disc's centre
    double subEarthLatDeg = 0.0;       // De, areographic latitude of the Earth
    double subSolarLatDeg = 0.0;       // Ds, of the Sun
    double positionAngleDeg = 0.0;     // P, of the north pole, from celestial north (true
                                       // equator of date) through east
    double phaseAngleDeg = 0.0;        // Sun-Mars-Earth
    double illuminatedFraction = 0.0;  // k
    double diameterArcsec = 0.0;       // equatorial
    double defectArcsec = 0.0;         // q = (1 - k) d, the width of the unlit part
    double distanceAu = 0.0;           // light-time corrected
};

// At the instant's TT. Returns 0 or the planetary theory's error (result zeroed).
int MarsFaceAt(const Instant& when, MarsFaceView& out);

// Whether a place on Mars (east longitude, latitude, degrees: the nomenclature's) is on the
// hemisphere turned to the Earth, and its angular distance from the disc's centre as seen from
// Mars' centre, degrees.
double MarsDistanceFromCentreDeg(const MarsFaceView& face, double lonEastDeg, double latDeg);
inline bool IsOnMarsVisibleFace(const MarsFaceView& face, double lonEastDeg, double latDeg) {
    return MarsDistanceFromCentreDeg(face, lonEastDeg, latDeg) < 90.0;
}

}  // namespace vsp
