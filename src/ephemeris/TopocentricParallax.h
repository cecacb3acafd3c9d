#pragma once
// The classical parallax correction (Meeus, chapters 11 and 40) for the bodies whose places
// come from series rather than from the vector reduction: the Sun, the Moon and Pluto.

#include "ephemeris/Instant.h"

namespace vsp {

// The observer turns with the Earth, by the instant's UT (each second of ΔT taken as UT would
// turn it 15" too far, which moves the Moon's 57' parallax by up to 0.25"); the nutation in
// the sidereal time is of its TT. alpha, delta (radians) are replaced by the topocentric
// place; distance in AU; longitude in degrees WEST positive; latitude in degrees; height in
// metres. When both are given, azimuth (from north through east) and altitude of the
// topocentric place in degrees.
void TopocentricParallax(const Instant& when, double& alpha, double& delta, double distance,
                         double longitudeWest, double latitude, double height,
                         double* azimuth = nullptr, double* altitude = nullptr);

}  // namespace vsp
