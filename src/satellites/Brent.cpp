#include "satellites/Brent.h"

#include <cmath>

namespace vsp {
namespace {

double WithSignOf(double magnitude, double sign) {
    return sign >= 0.0 ? std::fabs(magnitude) : -std::fabs(magnitude);
}

// Inverse quadratic (or secant, when only two points are distinct) step of the root finder:
// returns false when the step would leave the bracket or not shrink fast enough.
bool InterpolatedStep(double a, double b, double c, double fa, double fb, double fc, double xm,
                      double tol1, double e, double& step) {
    const double s = fb / fa;
    double p = 0.0;
    double q = 0.0;
    if (a == c) {
        p = 2.0 * xm * s;
        q = 1.0 - s;
    } else {
        const double qa = fa / fc;
        const double r = fb / fc;
        p = s * (2.0 * xm * qa * (qa - r) - (b - a) * (r - 1.0));
        q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
    }
    if (p > 0.0) q = -q;
    p = std::fabs(p);
    const double limit = std::fmin(3.0 * xm * q - std::fabs(tol1 * q), std::fabs(e * q));
    if (2.0 * p >= limit) return false;
    step = p / q;
    return true;
}

}  // namespace

double BrentRoot(const ScalarFunction& f, double a, double b, double tol) {
    double fa = f(a);
    double fb = f(b);
    double c = b;
    double fc = fb;
    double d = 0.0;
    double e = 0.0;
    for (int iteration = 0; iteration < kBrentMaxIterations; ++iteration) {
        if ((fb > 0.0 && fc > 0.0) || (fb < 0.0 && fc < 0.0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b, b = c, c = a;
            fa = fb, fb = fc, fc = fa;
        }
        const double tol1 = 2.0 * kBrentRootEpsilon * std::fabs(b) + 0.5 * tol;
        const double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol1 || fb == 0.0) return b;
        double step = 0.0;
        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb) &&
            InterpolatedStep(a, b, c, fa, fb, fc, xm, tol1, e, step)) {
            e = d;
            d = step;
        } else {
            d = e = xm;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol1 ? d : WithSignOf(tol1, xm);
        fb = f(b);
    }
    return b;
}

namespace {

// The three best points of the minimiser: x the best, w the second, v the previous w.
struct MinimiserPoints {
    double x, w, v;
    double fx, fw, fv;

    void Accept(double u, double fu, double& lower, double& upper) {
        if (fu <= fx) {
            (u >= x ? lower : upper) = x;
            v = w, fv = fw;
            w = x, fw = fx;
            x = u, fx = fu;
            return;
        }
        (u < x ? lower : upper) = u;
        if (fu <= fw || w == x) {
            v = w, fv = fw;
            w = u, fw = fu;
        } else if (fu <= fv || v == x || v == w) {
            v = u, fv = fu;
        }
    }

    // The parabola through x, w and v; false when it gives no acceptable step.
    bool ParabolicStep(double lower, double upper, double previous, double& step) const {
        const double r = (x - w) * (fx - fv);
        double q = (x - v) * (fx - fw);
        double p = (x - v) * q - (x - w) * r;
        q = 2.0 * (q - r);
        if (q > 0.0) p = -p;
        q = std::fabs(q);
        if (std::fabs(p) >= std::fabs(0.5 * q * previous) || p <= q * (lower - x) || p >= q * (upper - x))
            return false;
        step = p / q;
        return true;
    }
};

}  // namespace

BrentMinimum BrentMinimise(const ScalarFunction& f, double a, double b, double tol) {
    double lower = std::fmin(a, b);
    double upper = std::fmax(a, b);
    const double start = lower + kBrentGoldenRatio * (upper - lower);
    const double fStart = f(start);
    MinimiserPoints points{start, start, start, fStart, fStart, fStart};
    double d = 0.0;
    double e = 0.0;
    for (int iteration = 0; iteration < kBrentMaxIterations; ++iteration) {
        const double x = points.x;
        const double xm = 0.5 * (lower + upper);
        const double tol1 = tol * std::fabs(x) + kBrentMinimumGuard;
        const double tol2 = 2.0 * tol1;
        if (std::fabs(x - xm) <= tol2 - 0.5 * (upper - lower)) break;
        double step = 0.0;
        const double previous = e;
        if (std::fabs(e) > tol1 && points.ParabolicStep(lower, upper, previous, step)) {
            e = d;
            d = step;
            const double u = x + d;
            if (u - lower < tol2 || upper - u < tol2) d = WithSignOf(tol1, xm - x);
        } else {
            e = x >= xm ? lower - x : upper - x;
            d = kBrentGoldenRatio * e;
        }
        const double u = std::fabs(d) >= tol1 ? x + d : x + WithSignOf(tol1, d);
        points.Accept(u, f(u), lower, upper);
    }
    return {points.x, points.fx};
}

}  // namespace vsp
