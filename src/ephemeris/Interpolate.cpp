#include "ephemeris/Interpolate.h"

#include <cmath>

namespace vsp {

double Interpolate3(double y1, double y2, double y3, double n) {
    const double a = y2 - y1;
    const double b = y3 - y2;
    const double c = b - a;
    return y2 + n * (a + b + n * c) / 2.0;
}

double Interpolate5Extremum(double y1, double y2, double y3, double y4, double y5) {
    const double a = y2 - y1, b = y3 - y2, c = y4 - y3, d = y5 - y4;
    const double e = b - a, f = c - b, g = d - c;
    const double h = f - e, j = g - f;
    const double k = j - h;
    constexpr double kTolerance = 1e-7;
    constexpr int kMaxSteps = 300;
    double n = 0.0;
    for (int step = 0; step < kMaxSteps; ++step) {
        const double next =
            (6 * b + 6 * c - h - j + 3 * n * n * (h + j) + 2 * n * n * n * k) / (k - 12 * f);
        const bool settled = std::fabs(next - n) <= kTolerance;
        n = next;
        if (settled) break;
    }
    return n;
}

}  // namespace vsp
