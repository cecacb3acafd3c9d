// The chart's fixed-point formats and its integer trigonometry against the C library over each
// function's whole range: dense sweeps plus the quadrant boundaries, negative angles, several
// turns and the 32-bit extremes. Errors are in Unit24 (or Angle24) units.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "chart/FixedPoint.h"
#include "chart/FixedTrig.h"

namespace vsp::test::chart {
namespace {

constexpr double kUnits = 16777216.0;
constexpr double kTurnUnits = 2 * std::numbers::pi * kUnits;  // 105414357.07
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

// The largest error over every step-th input of [first, last].
double MaxError(std::int64_t first, std::int64_t last, std::int64_t step, const std::function<double(std::int32_t)>& error) {
    double worst = 0;
    for (std::int64_t v = first; v <= last; v += step) worst = std::max(worst, error(static_cast<std::int32_t>(v)));
    return worst;
}

TEST(FixedPoint, ConversionsTruncateTowardZeroAndProductsKeepSixtyFourBits) {
    EXPECT_EQ(DegreesToAngle24(90.0), kQuarterTurn);
    EXPECT_EQ(DegreesToAngle24(-90.0), -kQuarterTurn);
    EXPECT_EQ(HoursToAngle24(12.0), kHalfTurn);
    EXPECT_EQ(DoubleToUnit24(-0.75), -3 * kUnit24One / 4);
    EXPECT_DOUBLE_EQ(Unit24ToDouble(-kUnit24One / 8), -0.125);
    EXPECT_EQ(MultiplyUnit24(kUnit24One / 2, -kUnit24One / 4), -kUnit24One / 8);
    EXPECT_EQ(MultiplyUnit24(100 * kUnit24One, 3 * kUnit24One / 4), 75 * kUnit24One);
    EXPECT_EQ(MultiplyUnit24(-1, 1), -1);
}

// An angle n whole turns outside [0, 2*pi) may be off by 1.07*|n| units more: the system's full
// turn is that much short of 2*pi. Dense within a turn either side and across every quadrant
// boundary there, sparse up to the 32-bit extremes (the step divides 2^32 - 1).
TEST(FixedTrig, SineAndCosineOverTheWholeRange) {
    auto error = [](std::int32_t a) {
        const SinCos24 f = FixedSinCos(a);
        const double x = Angle24ToRadians(a), drift = 1.07 * std::abs(std::floor(x / (2 * std::numbers::pi)));
        return std::max(std::abs(f.sin - std::sin(x) * kUnits), std::abs(f.cos - std::cos(x) * kUnits)) - drift;
    };
    EXPECT_LE(MaxError(-kFullTurn, 2 * std::int64_t{kFullTurn}, 101, error), 2.5);
    for (std::int64_t q = -4; q <= 8; ++q) EXPECT_LE(MaxError(q * kQuarterTurn - 3, q * kQuarterTurn + 3, 1, error), 2.5);
    EXPECT_LE(MaxError(kMin32, kMax32, 4369, error), 2.5);
}

// Points around the circle (the axes among them) at radii from 500 units to near the 32-bit
// limit, and the extreme corners.
TEST(FixedTrig, ArctangentOfAnyPairLiesInOneTurnAndMatchesAtan2) {
    double worst = 0;
    auto check = [&](std::int32_t y, std::int32_t x) {
        const Angle24 a = FixedAtan2(y, x);
        ASSERT_TRUE(a >= 0 && a < kFullTurn) << y << ", " << x;
        const double reference = (x == 0 && y == 0) ? 0.0 : std::atan2(double(y), double(x)) * kUnits;
        worst = std::max(worst, std::abs(std::remainder(a - reference, kTurnUnits)));
    };
    for (double radius : {3e-5, 0.01, 1.0, 127.9}) {
        for (double t = 0; t < 2 * std::numbers::pi; t += std::numbers::pi / 20000) {
            check(std::lround(radius * std::sin(t) * kUnits), std::lround(radius * std::cos(t) * kUnits));
        }
    }
    for (auto [y, x] : std::vector<std::pair<std::int32_t, std::int32_t>>{
             {0, 0}, {-1, kMax32}, {kMin32, kMin32}, {kMax32, kMin32}, {kMin32, kMax32}, {1, -1}, {-1, 0}, {0, -1}}) {
        check(y, x);
    }
    EXPECT_LE(worst, 2.5);
}

// Every input near +-1, where the cosine has few significant bits, and a sweep between.
TEST(FixedTrig, ArcsineOverMinusOneToOne) {
    auto error = [](std::int32_t s) { return std::abs(FixedArcsin(s) - std::asin(s / kUnits) * kUnits); };
    EXPECT_LE(MaxError(-kUnit24One, kUnit24One, 64, error), 1.5);
    EXPECT_LE(MaxError(-kUnit24One, -kUnit24One + 4096, 1, error), 1.5);
    EXPECT_LE(MaxError(kUnit24One - 4096, kUnit24One, 1, error), 1.5);
    EXPECT_NEAR(FixedArcsin(kMax32), kQuarterTurn, 1.5);
    EXPECT_NEAR(FixedArcsin(kMin32), -kQuarterTurn, 1.5);
}

}  // namespace
}  // namespace vsp::test::chart
