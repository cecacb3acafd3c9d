#pragma once
// The face of the Moon (J. Meeus, Astronomical Algorithms, 2nd ed., Willmann-Bell 1998, chs.
// 53-54): the optical and physical librations, the position angle of the axis, and the Sun's
// selenographic place (colongitude, subsolar latitude); the Moon from the long lunar theory
// (LunarSeries), the Sun from VSOP87 (EarthVsop87). Selenographic longitudes are east-positive,
// degrees. Measured against PyEphem's libration_long, libration_lat, colong and subsolar_lat:
// see tests/ephemeris/PlanetFacesTest.cpp.
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
