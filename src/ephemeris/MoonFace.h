#pragma once
// The face of the Moon (J. Meeus, Astronomical Algorithms, 2nd ed., Willmann-Bell 1998, chs.
// 53-54): the optical and physical librations, the position angle of the axis, and the Sun's
// selenographic place (colongitude, subsolar latitude); the Moon from the long lunar theory
// (LunarSeries), the Sun from VSOP87 (EarthVsop87). Selenographic longitudes are east-positive,
// degrees. Measured over 40 dates 2000-2038 (tests/ephemeris/PlanetFacesTest.cpp): librations
// in longitude and latitude within 0.020 and 0.006 deg of PyEphem, 0.003 and 0.027 deg of the
// IAU rotation model of the Moon on astronomy-engine; the colongitude within 0.002 deg of the
// latter (PyEphem's parts from both by up to 0.33 deg); the subsolar latitude within 0.048 deg
// of PyEphem and 0.026 of astronomy-engine.
#include <optional>

#include "ephemeris/Instant.h"

namespace vsp {

struct MoonFaceView {
    double librationLonDeg = 0.0;   // the sub-Earth point: optical + physical libration
    double librationLatDeg = 0.0;
    double physicalLonDeg = 0.0;    // the physical part alone (a few hundredths of a degree)
    double physicalLatDeg = 0.0;
    double axisPositionAngleDeg = 0.0;  // of the north pole, from celestial north through east
    double subsolarLonDeg = 0.0;    // the Sun's selenographic longitude, -180 .. 180
    double subsolarLatDeg = 0.0;
    double colongitudeDeg = 0.0;    // 90 - the subsolar longitude, [0, 360): 0 at first quarter
};

// At the instant's TT (geocentric).
MoonFaceView MoonFaceAt(const Instant& when);

// For a selenographic place (east longitude, latitude, degrees) on that face:
// on the disc the Earth sees (within 90 degrees of the sub-Earth point),
bool IsOnVisibleFace(const MoonFaceView& face, double lonDeg, double latDeg);
// its distance from the terminator in degrees, positive in sunlight,
double TerminatorDistanceDeg(const MoonFaceView& face, double lonDeg, double latDeg);
// and whether the terminator it is near is the morning one (the Sun rising there).
bool IsSunriseSide(const MoonFaceView& face, double lonDeg);

// The first instant after `from`, within `windowDays`, when the colongitude reaches the
// sunrise value (360 - lon) or the sunset value (180 - lon) of a longitude; bisection to a few
// seconds. None when it does not come within the window.
std::optional<Instant> NextTerminatorPassage(const Instant& from, double lonDeg, bool sunrise, double windowDays);

}  // namespace vsp
