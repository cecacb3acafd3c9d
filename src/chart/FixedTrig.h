#pragma once
// Integer-only trigonometry on Angle24 and Unit24 values for the chart's per-body projections.
// Sine and cosine, the arctangent and the arcsine share one CORDIC engine (rotation mode for the
// first, vectoring for the others) run with 6 guard bits below Unit24; the tangent is an odd
// polynomial.
//
// Largest errors against the C library, in Unit24 units for sines, cosines and tangents and
// Angle24 units for angles (measured on dense sweeps; tests/chart/FixedPointTest.cpp holds the
// bounds just above these):
//   FixedSinCos   2.3 over [0, 2*pi) (every 3rd angle). An angle n whole turns outside that range
//                 may be off by 1.07*|n| more, since the full turn is that much short of 2*pi.
//   FixedAtan2    2.2 (a million directions at each of seven radii from 1e-6 to 128).
//   FixedArcsin   1.1 (every input of [-1, 1]).
//   FixedTan      3.1 over [-pi/4, pi/4] (every input); outside it the polynomial departs fast
//                 (44 units at 0.85 rad, 1900 at 55 degrees), so callers keep within that range.

#include "chart/FixedPoint.h"

namespace vsp {

struct SinCos24 {
    Unit24 sin = 0;
    Unit24 cos = 0;
};

// Sine and cosine of any Angle24.
SinCos24 FixedSinCos(Angle24 angle);

// The direction of the point (x, y), in [0, 2*pi); 0 for (0, 0). The inputs only need the same
// scale, not Unit24 magnitudes.
Angle24 FixedAtan2(Unit24 y, Unit24 x);

// The arcsine in [-pi/2, pi/2]; inputs beyond [-1, 1] count as -1 or 1.
Angle24 FixedArcsin(Unit24 sine);

// tan x = x*(1 + x^2*(c1 + x^2*(c2 + ... x^2*c6))) in Unit24 arithmetic.
Unit24 FixedTan(Angle24 angle);

}  // namespace vsp
