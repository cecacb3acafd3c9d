#include "chart/FixedTrig.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>

namespace vsp {
namespace {

// The engine works on 30 fraction bits: without the 6 guard bits the truncations of 26 shifts
// add up to about 15 Unit24 units.
constexpr int kGuardBits = 6;
constexpr std::int64_t kGuardHalf = std::int64_t{1} << (kGuardBits - 1);
constexpr int kEngineBits = 24 + kGuardBits;

// round(atan(2^-i) * 2^30); after 26 steps the remaining rotation is below one Unit24 unit.
constexpr std::array<std::int64_t, 26> kArctan = {
    843314857, 497837829, 263043837, 133525159, 67021687, 33543516, 16775851,
    8388437,   4194283,   2097149,   1048576,   524288,   262144,   131072,
    65536,     32768,     16384,     8192,      4096,     2048,     1024,
    512,       256,       128,       64,        32};

// The CORDIC gain 0.60725 in Unit24, where the rotation starts.
constexpr std::int64_t kGain = 10188013;

// value, or -value when sign is -1 (sign is 0 or -1): the rotations choose their direction
// without a branch, which the processor could not predict.
constexpr std::int64_t WithSign(std::int64_t value, std::int64_t sign) { return (value ^ sign) - sign; }

std::int32_t DropGuardBits(std::int64_t value) {
    return static_cast<std::int32_t>((value + kGuardHalf) >> kGuardBits);
}

// The CORDIC engine: 26 steps that each turn (x, y) by +-atan(2^-i) and take that angle from z.
// Rotation mode (kVectoring false) steers z to 0, so the vector turns by the angle z started
// with; vectoring mode steers y to 0, so z ends with the direction the vector started in.
struct Cordic {
    std::int64_t x = 0, y = 0, z = 0;
};

template <bool kVectoring>
Cordic RunCordic(Cordic c) {
    for (int i = 0; i < static_cast<int>(kArctan.size()); ++i) {
        const std::int64_t back = kVectoring ? (-c.y) >> 63 : c.z >> 63;  // -1 turns the other way
        const std::int64_t dx = c.y >> i, dy = c.x >> i;
        c.x -= WithSign(dx, back), c.y += WithSign(dy, back), c.z -= WithSign(kArctan[i], back);
    }
    return c;
}

// Sine and cosine of an angle in [0, pi/2).
SinCos24 RotateFirstQuadrant(Angle24 angle) {
    const Cordic c = RunCordic<false>({kGain << kGuardBits, 0, std::int64_t{angle} << kGuardBits});
    return {DropGuardBits(c.y), DropGuardBits(c.x)};
}

// The direction of (x, y) with x, y >= 0, not both zero, in [0, pi/2].
Angle24 VectorFirstQuadrant(std::int64_t x, std::int64_t y) {
    // Scaled so the larger input has 30 significant bits: small inputs keep the precision.
    const int shift = kEngineBits - static_cast<int>(std::bit_width(static_cast<std::uint64_t>(std::max(x, y))));
    x = shift >= 0 ? x << shift : x >> -shift;
    y = shift >= 0 ? y << shift : y >> -shift;
    return std::clamp(DropGuardBits(RunCordic<true>({x, y, 0}).z), 0, kQuarterTurn);
}

// floor(sqrt(value)) by Newton's iteration from a power of two above the root; it falls
// monotonically and stops at the floor. A handful of steps for the chart's 60-bit inputs.
std::uint64_t IntegerSqrt(std::uint64_t value) {
    if (value == 0) return 0;
    std::uint64_t root = std::uint64_t{1} << ((std::bit_width(value) + 1) / 2);
    for (;;) {
        const std::uint64_t next = (root + value / root) / 2;
        if (next >= root) return root;
        root = next;
    }
}

}  // namespace

SinCos24 FixedSinCos(Angle24 angle) {
    Angle24 reduced = angle % kFullTurn;
    if (reduced < 0) reduced += kFullTurn;
    const int quadrant = reduced / kQuarterTurn;
    const SinCos24 r = RotateFirstQuadrant(reduced - quadrant * kQuarterTurn);
    switch (quadrant) {
        case 0: return {r.sin, r.cos};
        case 1: return {r.cos, -r.sin};
        case 2: return {-r.sin, -r.cos};
        default: return {-r.cos, r.sin};
    }
}

Angle24 FixedAtan2(Unit24 y, Unit24 x) {
    if (x == 0 && y == 0) return 0;
    const Angle24 a = VectorFirstQuadrant(std::abs(std::int64_t{x}), std::abs(std::int64_t{y}));
    if (y >= 0) return x >= 0 ? a : kHalfTurn - a;
    return x < 0 ? kHalfTurn + a : (kFullTurn - a) % kFullTurn;
}

Angle24 FixedArcsin(Unit24 sine) {
    const std::int64_t s = std::clamp(sine, -kUnit24One, kUnit24One);
    // The cosine at 30 fraction bits as well: near +-1 it has few significant Unit24 bits.
    const std::uint64_t oneMinusSquare = (std::uint64_t{1} << 48) - static_cast<std::uint64_t>(s * s);
    const auto cosine = static_cast<std::int64_t>(IntegerSqrt(oneMinusSquare << (2 * kGuardBits)));
    const Angle24 a = VectorFirstQuadrant(cosine, std::abs(s) << kGuardBits);
    return s < 0 ? -a : a;
}

Unit24 FixedTan(Angle24 angle) {
    constexpr std::array<Unit24, 6> kCoefficients = {5592373, 2237953, 895468, 412134, 48663, 159666};
    const Unit24 square = MultiplyUnit24(angle, angle);
    Unit24 sum = kCoefficients.back();
    for (int k = static_cast<int>(kCoefficients.size()) - 2; k >= 0; --k) {
        sum = kCoefficients[k] + MultiplyUnit24(square, sum);
    }
    return MultiplyUnit24(angle, kUnit24One + MultiplyUnit24(square, sum));
}

}  // namespace vsp
