#pragma once
// Interpolation in short tables of equidistant values: the rise/set iteration reads a body's
// place between three daily positions, the event search finds extrema among five.

namespace vsp {

// The value at n table intervals from the middle value y2 (n in [-1, 1] for an
// interpolation, outside it an extrapolation).
double Interpolate3(double y1, double y2, double y3, double n);

// Where the quantity tabulated by y1..y5 has its extremum, in table intervals from the middle
// value y3. Iterates from n = 0 until two successive values differ by at most 1e-7 or 300
// steps have been made.
double Interpolate5Extremum(double y1, double y2, double y3, double y4, double y5);

}  // namespace vsp
