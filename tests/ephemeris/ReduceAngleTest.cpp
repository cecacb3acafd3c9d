// The three reductions against libm's exact IEEE remainder, over values many turns out, and
// at the edges where they differ on purpose.

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "ephemeris/Constants.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp::test::bodies {
namespace {

TEST(ReduceAngle, EachFormIsTheExactRemainderInItsRange) {
    std::mt19937_64 random(25);
    std::uniform_real_distribution<double> turns(-1e6, 1e6);
    for (const double period : {360.0, 24.0, kTwoPi, 1.0, 86400.0}) {
        for (int i = 0; i < 2000; ++i) {
            const double value = turns(random) * period;
            const double signedRemainder = std::remainder(value, period);  // exact
            const double up = signedRemainder < 0.0 ? signedRemainder + period : signedRemainder;
            EXPECT_EQ(ReduceAngleSigned(value, period), signedRemainder) << value << " " << period;
            EXPECT_EQ(ReduceAngle(value, period), up >= period ? 0.0 : up) << value << " " << period;
            EXPECT_EQ(ReduceAngleClosed(value, period), up) << value << " " << period;
        }
    }
    EXPECT_EQ(ReduceAngle(360.0e6 + 0.25, 360.0), 0.25);
    EXPECT_EQ(ReduceAngleSigned(-24.0e6 - 0.25, 24.0), -0.25);
}

TEST(ReduceAngle, EdgesOfTheRanges) {
    // A remainder a hair below zero rounds up to the period: the half-open form gives 0, the
    // texts' form keeps the period ("24.0000").
    EXPECT_EQ(ReduceAngle(-1e-20, 24.0), 0.0);
    EXPECT_EQ(ReduceAngleClosed(-1e-20, 24.0), 24.0);
    EXPECT_EQ(ReduceAngle(-1e-9, 24.0), 24.0 - 1e-9);
    // Exactly half a period away keeps its sign, where the IEEE remainder would round to even.
    EXPECT_EQ(ReduceAngleSigned(12.0, 24.0), 12.0);
    EXPECT_EQ(ReduceAngleSigned(-12.0, 24.0), -12.0);
    EXPECT_EQ(ReduceAngleSigned(36.0, 24.0), 12.0);
    EXPECT_EQ(ReduceAngleSigned(-540.0, 360.0), -180.0);
    EXPECT_TRUE(std::isnan(ReduceAngle(NAN, 360.0)) && std::isnan(ReduceAngleSigned(INFINITY, 360.0)));
}

}  // namespace
}  // namespace vsp::test::bodies
