// Turning a sine/cosine pair by the angle-sum formulas against the library's sin/cos of the sum,
// on both sides of the switch from the short series to the full sin/cos.

#include <cmath>

#include <gtest/gtest.h>

#include "satellites/SinCos.h"

namespace vsp::sat {
namespace {

TEST(SinCos, TurnedMatchesTheSinCosOfTheSum) {
    const double deltas[] = {0.0, 1e-9, -3e-4, 0.0099, -0.0099, 0.0101, -0.5, 2.9};
    for (double angle = -7.0; angle < 7.0; angle += 0.37) {
        for (double delta : deltas) {
            SCOPED_TRACE(std::to_string(angle) + " + " + std::to_string(delta));
            const SinCos turned = Turned(SinCosOf(angle), delta);
            EXPECT_NEAR(turned.sin, std::sin(angle + delta), 1e-15);
            EXPECT_NEAR(turned.cos, std::cos(angle + delta), 1e-15);
        }
    }
}

}  // namespace
}  // namespace vsp::sat
