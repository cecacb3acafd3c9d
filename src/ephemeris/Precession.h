#pragma once
// IAU 1976 precession between any two dates, either direction: the angles zeta, z, theta of
// J. H. Lieske et al., A&A 58, 1 (1977), in the general form of Meeus ch. 21.

#include "ephemeris/Constants.h"
#include "ephemeris/Matrix.h"
#include "ephemeris/Vec3.h"

namespace vsp {

// The rotation from the mean equator and equinox of jdFrom to those of jdTo (TT JDs).
// Measured against ERFA pmat76 from J2000: 1e-12 per element.
Mat3 PrecessionMatrix(double jdFrom, double jdTo);
Vec3 Precess(double jdFrom, const Vec3& v, double jdTo);

}  // namespace vsp
