#pragma once
// The classical parallax correction (Meeus, chapters 11 and 40) for the bodies whose places
// come from series rather than from the vector reduction: the Sun, the Moon and Pluto.

namespace vsp {

// T: Julian centuries of TT from J2000. alpha, delta (radians) are replaced by the
// topocentric place; distance in AU; longitude in degrees WEST positive; latitude in degrees;
// height in metres. When both are given, azimuth (from north through east) and altitude of
// the topocentric place in degrees.
void TopocentricParallax(double T, double& alpha, double& delta, double distance,
                         double longitudeWest, double latitude, double height,
                         double* azimuth = nullptr, double* altitude = nullptr);

}  // namespace vsp
