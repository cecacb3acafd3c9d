#pragma once
// Searches along one variable for the eclipse contacts: a root by bisection and a minimum by
// golden section, both to an absolute tolerance in the variable's units.

#include <cmath>

namespace vsp {

// The root of f between a and b (a < b, f(a) and f(b) of opposite signs).
template <typename F>
double BisectRoot(F f, double a, double b, double tolerance) {
    const bool rising = f(a) < 0;
    while (b - a > tolerance) {
        const double mid = (a + b) / 2;
        if ((f(mid) < 0) == rising) a = mid;
        else b = mid;
    }
    return (a + b) / 2;
}

// Where f is least in [a, b], for an f with one minimum there.
template <typename F>
double GoldenMinimum(F f, double a, double b, double tolerance) {
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double x1 = b - ratio * (b - a), x2 = a + ratio * (b - a);
    double f1 = f(x1), f2 = f(x2);
    while (b - a > tolerance) {
        if (f1 < f2) {
            b = x2, x2 = x1, f2 = f1;
            x1 = b - ratio * (b - a), f1 = f(x1);
        } else {
            a = x1, x1 = x2, f1 = f2;
            x2 = a + ratio * (b - a), f2 = f(x2);
        }
    }
    return (a + b) / 2;
}

}  // namespace vsp
