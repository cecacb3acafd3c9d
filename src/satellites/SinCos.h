#pragma once
// Angles kept as their sine and cosine, for the per-call paths of SGP and SGP4: most of their
// angles are moved by small corrections, and turning a known pair by the angle-sum formulas
// costs a fraction of a new sin/cos.

#include <cmath>

namespace vsp::sat {

struct SinCos {
    double sin, cos;
};

inline SinCos SinCosOf(double angle) { return {std::sin(angle), std::cos(angle)}; }

inline SinCos Sum(SinCos a, SinCos b) { return {a.sin * b.cos + a.cos * b.sin, a.cos * b.cos - a.sin * b.sin}; }

// `angle` turned by `delta`. The corrections of the models stay well under 0.01 rad, where the
// series below are exact to the last bit (the first dropped term is under 3e-24); larger turns
// take the full sin/cos. The coefficients are products, not quotients: a division by a constant
// stays a division without -ffast-math, and these run several times per call.
inline SinCos Turned(SinCos angle, double delta) {
    SinCos d;
    if (std::fabs(delta) < 0.01) {
        const double d2 = delta * delta;
        d.sin = delta * (1.0 + d2 * (-1.0 / 6 + d2 * (1.0 / 120 + d2 * (-1.0 / 5040))));
        d.cos = 1.0 + d2 * (-1.0 / 2 + d2 * (1.0 / 24 + d2 * (-1.0 / 720 + d2 * (1.0 / 40320))));
    } else {
        d = SinCosOf(delta);
    }
    return Sum(angle, d);
}

}  // namespace vsp::sat
