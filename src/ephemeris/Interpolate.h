#pragma once
// Interpolation in short tables of equidistant values: the rise/set iteration reads a body's
// place between three daily positions.

namespace vsp {

// The value at n table intervals from the middle value y2 (n in [-1, 1] for an
// interpolation, outside it an extrapolation).
double Interpolate3(double y1, double y2, double y3, double n);

}  // namespace vsp
