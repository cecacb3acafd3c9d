#pragma once
// The Earth about the Sun from VSOP87 (series D, mean ecliptic and equinox of date) in Meeus's
// printed truncation: the base of the precise Sun.

namespace vsp {

struct EclipticPlace {
    double longitude = 0.0;  // radians, [0, 2 pi)
    double latitude = 0.0;   // radians
    double radius = 0.0;     // AU
};

EclipticPlace EarthVsop87(double jde);

}  // namespace vsp
