#pragma once
// The caches of the reduction, keyed by the date: whoever reduces many positions for one date
// (a chart, a list) keeps one of these and passes it to every call.

#include <limits>

#include "ephemeris/EarthOrientation.h"
#include "ephemeris/Matrix.h"

namespace vsp {

struct ReductionState {
    EarthOrientationCache earth;
    double precessionNutationJde = std::numeric_limits<double>::quiet_NaN();
    Mat3 precessionNutation;
};

// J2000 mean equator to the true equator of the date (TT JD), recomputed when the date
// changes. The precession is formed from the date back to J2000 and transposed.
const Mat3& PrecessionNutationMatrix(double jde, ReductionState& state);

}  // namespace vsp
