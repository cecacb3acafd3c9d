#pragma once
// Small spherical-astronomy functions that the rest of the program calls directly. Right
// ascension in hours, declination, altitude and azimuth in degrees unless a name says radians.

#include "ephemeris/Vec3.h"

namespace vsp {

double Altitude(double lstHours, double raHours, double decDeg, double latitudeDeg);
// From north through east, [0, 360).
double Azimuth(double lstHours, double raHours, double decDeg, double latitudeDeg);
// Angle of (x, y) in radians, [0, 2 pi).
double PolarAngle(double x, double y);
// Radians. Below 1e-5 rad (away from the poles) the flat-sky formula, which keeps its
// precision where the cosine formula loses it.
double AngularSeparation(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg);
// The mean obliquity of the ecliptic in degrees, T in Julian centuries of TT from J2000
// (Lieske et al., A&A 58, 1 (1977); Meeus eq. 22.2).
double MeanObliquity(double T);
// alpha, delta, epsilon in radians; lambda in [0, 360) and beta in degrees.
void EquatorialToEcliptic(double alpha, double delta, double epsilon, double& lambdaDeg,
                          double& betaDeg);

// RA in [0, 24) hours and Dec in degrees of a vector (any length but zero).
void VectorToRaDec(const Vec3& v, double& raHours, double& decDeg);
// The unit vector of a direction.
Vec3 RaDecToVector(double raHours, double decDeg);

}  // namespace vsp
