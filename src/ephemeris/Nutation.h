#pragma once
// IAU 1980 nutation: the series of the published table summed at one date.

namespace vsp {

struct NutationAngles {
    double dpsi = 0.0;  // nutation in longitude, arcseconds
    double deps = 0.0;  // nutation in obliquity, arcseconds
};

// jde: TT Julian Date.
NutationAngles Nutation1980(double jde);
// The Moon's mean ascending node at that date, radians in [0, 2 pi).
double MoonMeanNode(double jde);

}  // namespace vsp
