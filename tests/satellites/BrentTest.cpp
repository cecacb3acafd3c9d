// Brent's root finder and minimiser on functions whose roots and minima are known in closed form.

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "satellites/Brent.h"

namespace vsp {
namespace {

TEST(Brent, FindsRootsToTheAskedTolerance) {
    struct Case {
        ScalarFunction f;
        double a, b, root;
    };
    const Case cases[] = {
        {[](double x) { return std::cos(x); }, 1.0, 2.0, std::numbers::pi / 2.0},
        {[](double x) { return x * x * x - 2.0 * x - 5.0; }, 2.0, 3.0, 2.0945514815423265},
        // Rising steeply then flat: the interpolation alone would overshoot.
        {[](double x) { return std::atan(50.0 * (x - 0.3)); }, -4.0, 4.0, 0.3},
    };
    for (const Case& c : cases) EXPECT_NEAR(BrentRoot(c.f, c.b, c.a, 1e-12), c.root, 1e-9);
}

TEST(Brent, FindsMinimaInsideTheInterval) {
    struct Case {
        ScalarFunction f;
        double a, b, xMin, fMin;
    };
    const Case cases[] = {
        {[](double x) { return (x - 2.0) * (x - 2.0) + 1.0; }, 0.0, 5.0, 2.0, 1.0},
        {[](double x) { return x - std::log(x); }, 0.1, 5.0, 1.0, 1.0},
        // A kinked minimum (no parabola fits it) near the end of the interval.
        {[](double x) { return std::fabs(x - 4.9) + 0.5; }, 0.0, 5.0, 4.9, 0.5},
    };
    for (const Case& c : cases) {
        const BrentMinimum m = BrentMinimise(c.f, c.a, c.b, 1e-10);
        EXPECT_NEAR(m.x, c.xMin, 1e-5);
        EXPECT_NEAR(m.value, c.fMin, 1e-9);
        EXPECT_DOUBLE_EQ(m.value, c.f(m.x));
    }
}

}  // namespace
}  // namespace vsp
