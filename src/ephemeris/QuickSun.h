#pragma once
// The Sun from classical elements of epoch 1900 (mean equinox of date): quick, and the Sun-Earth
// geometry of the Moon and Pluto records (S. Newcomb's elements as in P. Duffett-Smith,
// Practical Astronomy with your Calculator). Within 1' of the apparent Sun.

namespace vsp {

struct QuickSunPlace {
    double rightAscension = 0.0;  // hours, [0, 24)
    double declination = 0.0;     // degrees
    double trueLongitude = 0.0;   // degrees, [0, 360)
    double distance = 0.0;        // AU
    double obliquity = 0.0;       // mean obliquity of the 1900 elements, degrees
};

QuickSunPlace QuickSun(double jd);

}  // namespace vsp
