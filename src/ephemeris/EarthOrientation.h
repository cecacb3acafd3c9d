#pragma once
// The orientation of the Earth at a date: obliquity, nutation, the equation of the equinoxes,
// apparent sidereal time, and the rotation between the mean and the true equator.

#include <limits>

#include "ephemeris/Matrix.h"
#include "ephemeris/Vec3.h"

namespace vsp {

struct EarthTiltValues {
    double meanObliquity = 0.0;        // degrees
    double trueObliquity = 0.0;        // degrees
    double equationOfEquinoxes = 0.0;  // seconds of time
    double dpsi = 0.0;                 // nutation in longitude, arcseconds
    double deps = 0.0;                 // nutation in obliquity, arcseconds
};

// The last date's values: the nutation series is the costly part of every reduction and a
// chart asks for the same date thousands of times. Owned by whoever runs the reductions.
struct EarthOrientationCache {
    double jde = std::numeric_limits<double>::quiet_NaN();
    EarthTiltValues tilt;
};

// Nutation (IAU 1980, 106 terms: P. K. Seidelmann, Celest. Mech. 27, 79 (1982)), the mean
// obliquity (Lieske et al., A&A 58, 1 (1977)) and the equation of the equinoxes with the IAU
// 1994 terms in the Moon's node, at a TT Julian Date. Measured against ERFA nut80, obl80 and
// eqeq94: 1e-9".
EarthTiltValues EarthTilt(double jde);
const EarthTiltValues& EarthTilt(double jde, EarthOrientationCache& cache);

// Greenwich apparent sidereal time in hours, [0, 24): IAU 1982 mean sidereal time (Aoki et
// al., A&A 105, 359 (1982)) plus the equation of the equinoxes in seconds. The UT JD in two
// parts keeps the precision of the day fraction; jdLow may be 0. Measured against ERFA
// gmst82 + eqeq94: 1e-11 h.
double SiderealTimeApparent(double jdHigh, double jdLow, double equationOfEquinoxesSeconds);

enum class NutationDirection { kMeanToTrue, kTrueToMean };

// The rotation from the mean equator and equinox of the date to the true ones (ERFA numat).
Mat3 NutationMatrix(const EarthTiltValues& tilt);
// A J2000 (or mean-of-date) vector rotated by the nutation of the TT date, either way.
Vec3 Nutate(double jde, NutationDirection direction, const Vec3& v, EarthOrientationCache& cache);

}  // namespace vsp
