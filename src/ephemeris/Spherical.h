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
// Radians between two directions given as vectors of any length but zero, [0, pi]: the
// arctangent of |a x b| over a . b, as precise at a milliarcsecond as at half a turn.
double AngularSeparation(const Vec3& a, const Vec3& b);
// Between the equator and the ecliptic of obliquity epsilon (Meeus eqs. 13.1-13.4).
// alpha, delta, epsilon in radians; lambda in [0, 360) and beta in degrees.
void EquatorialToEcliptic(double alpha, double delta, double epsilon, double& lambdaDeg,
                          double& betaDeg);
// lambda, beta, epsilon in radians; alpha in (-pi, pi] and delta in radians.
void EclipticToEquatorial(double lambda, double beta, double epsilon, double& alpha, double& delta);

// RA in [0, 24) hours and Dec in degrees of a vector (any length but zero).
void VectorToRaDec(const Vec3& v, double& raHours, double& decDeg);
// The unit vector of a direction.
Vec3 RaDecToVector(double raHours, double decDeg);
// Degrees [0, 360), north through east, of the direction `towards` (any vector but zero) as it
// leaves the point `at` on the sphere: the position angle of a displacement seen at `at`.
double PositionAngle(const Vec3& at, const Vec3& towards);

}  // namespace vsp
