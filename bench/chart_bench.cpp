// The chart's integer trigonometry per call: the CORDIC sine and cosine, the arctangent and
// the arcsine (the horizontal projection runs each once per body) and the polynomial tangent.

#include <array>

#include <benchmark/benchmark.h>

#include "chart/FixedTrig.h"

namespace {

// Angles walk their range by a step coprime to it, so every quadrant and branch is met.
constexpr vsp::Angle24 kAngleStep = 1000003;

// 1024 points around the unit circle, for the inverse functions.
const std::array<vsp::SinCos24, 1024>& CirclePoints() {
    static const auto points = [] {
        std::array<vsp::SinCos24, 1024> p;
        for (int i = 0; i < static_cast<int>(p.size()); ++i) p[i] = vsp::FixedSinCos(i * kAngleStep);
        return p;
    }();
    return points;
}

void BM_FixedSinCos(benchmark::State& state) {
    vsp::Angle24 angle = 0;
    for (auto _ : state) {
        angle = (angle + kAngleStep) % vsp::kFullTurn;
        benchmark::DoNotOptimize(vsp::FixedSinCos(angle));
    }
}
BENCHMARK(BM_FixedSinCos);

void BM_FixedAtan2(benchmark::State& state) {
    const auto& points = CirclePoints();
    std::size_t i = 0;
    for (auto _ : state) {
        const vsp::SinCos24& p = points[i++ % points.size()];
        benchmark::DoNotOptimize(vsp::FixedAtan2(p.sin, p.cos));
    }
}
BENCHMARK(BM_FixedAtan2);

void BM_FixedArcsin(benchmark::State& state) {
    const auto& points = CirclePoints();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(vsp::FixedArcsin(points[i++ % points.size()].sin));
}
BENCHMARK(BM_FixedArcsin);

void BM_FixedTan(benchmark::State& state) {
    vsp::Angle24 angle = 0;
    for (auto _ : state) {
        angle = (angle + kAngleStep) % (vsp::kQuarterTurn / 2);
        benchmark::DoNotOptimize(vsp::FixedTan(angle));
    }
}
BENCHMARK(BM_FixedTan);

}  // namespace
