#pragma once
// Brent's root finder and minimiser over any function of one variable. The searches give them
// times in days: the pass search from its coarse point (the root finder's precision term is
// scaled by the abscissa), the flare search as Julian Dates (its tolerances are relative to the
// abscissa).

#include <functional>

namespace vsp {

using ScalarFunction = std::function<double(double)>;

inline constexpr int kBrentMaxIterations = 100;
inline constexpr double kBrentRootEpsilon = 6e-11;
inline constexpr double kBrentGoldenRatio = 0.381966;
inline constexpr double kBrentMinimumGuard = 1e-10;

// A root of f between a and b (their values should differ in sign). Stops when the bracket's
// half-width is within 2·6e-11·|b| + tol/2 or f is exactly 0, or after 100 iterations, and
// returns the best estimate then.
double BrentRoot(const ScalarFunction& f, double a, double b, double tol);

struct BrentMinimum {
    double x = 0.0;
    double value = 0.0;
};

// The smallest value of f in [a, b], starting from the golden-section point; `tol` is relative
// to the abscissa (the step guard 1e-10 is added to it), at most 100 iterations.
BrentMinimum BrentMinimise(const ScalarFunction& f, double a, double b, double tol);

}  // namespace vsp
