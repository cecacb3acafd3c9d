// The chart's integer trigonometry per call: the CORDIC sine and cosine, the arctangent and
// the arcsine (the horizontal projection runs each once per body) and the polynomial tangent;
// and the view's per-body projections, which a redraw runs for thousands of stars.

#include <array>

#include <benchmark/benchmark.h>

#include "chart/ChartSky.h"
#include "chart/ChartView.h"
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

// 1024 J2000 places spread over the sphere, as Angle24.
struct CatalogPlace {
    vsp::Angle24 ra, dec;
};
const std::array<CatalogPlace, 1024>& CatalogPlaces() {
    static const auto places = [] {
        std::array<CatalogPlace, 1024> p;
        for (int i = 0; i < static_cast<int>(p.size()); ++i) {
            p[i] = {(i * kAngleStep) % vsp::kFullTurn, (i * 7919) % (2 * vsp::kQuarterTurn) - vsp::kQuarterTurn};
        }
        return p;
    }();
    return places;
}

vsp::ChartView BenchView(int type, int level) {
    vsp::EphemerisSettings settings;
    vsp::ChartView view;
    view.SetDisplay(2, 480, 640);
    view.SetChartType(type);
    view.SetZoomLevel(level);
    view.SetSky(vsp::BuildChartSky({2026, 12, 5, 22, 0, 0}, settings));
    view.SetCentre(180.0, 45.0);
    view.Prepare();
    return view;
}

// Runs `perPlace` on each catalog place in turn.
template <class PerPlace>
void OverPlaces(benchmark::State& state, PerPlace perPlace) {
    const auto& places = CatalogPlaces();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(perPlace(places[i++ % places.size()]));
}

// Fixed point from the catalog place: matrix rotation, arcsine, arctangent, tangent, sine/cosine.
void BM_ProjectHorizontal(benchmark::State& state) {
    const vsp::ChartView view = BenchView(vsp::kChartSkyMap, 0);
    OverPlaces(state, [&](const CatalogPlace& p) { return view.ProjectHorizontal(p.ra, p.dec); });
}
BENCHMARK(BM_ProjectHorizontal);

// Building a cached vector: sine/cosine of both angles and the Unit24 frame matrix.
void BM_CatalogVector(benchmark::State& state) {
    const vsp::ChartView view = BenchView(vsp::kChartWholeSky, 0);
    OverPlaces(state, [&](const CatalogPlace& p) { return view.CatalogVector(p.ra, p.dec); });
}
BENCHMARK(BM_CatalogVector);

// The catalog places as vectors of the view's frame.
std::array<vsp::ChartVector, 1024> CachedVectors(const vsp::ChartView& view) {
    std::array<vsp::ChartVector, 1024> vectors;
    for (std::size_t i = 0; i < vectors.size(); ++i) vectors[i] = view.CatalogVector(CatalogPlaces()[i].ra, CatalogPlaces()[i].dec);
    return vectors;
}

// From the cached vector, as every redraw after the first: two rotations and the culling. The
// renderer's loops call the projection as its own class (WithProjection)...
void BM_ProjectCentred(benchmark::State& state) {
    const vsp::ChartView view = BenchView(vsp::kChartWholeSky, 0);
    const auto vectors = CachedVectors(view);
    std::size_t i = 0;
    view.WithProjection([&](const auto& projection) {
        for (auto _ : state) benchmark::DoNotOptimize(projection.Forward(vectors[i++ % vectors.size()]));
    });
}
BENCHMARK(BM_ProjectCentred);

// ... while a single call through the view dispatches on the projection.
void BM_ProjectCentredThroughTheView(benchmark::State& state) {
    const vsp::ChartView view = BenchView(vsp::kChartWholeSky, 0);
    const auto vectors = CachedVectors(view);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(view.Project(vectors[i++ % vectors.size()]));
}
BENCHMARK(BM_ProjectCentredThroughTheView);

}  // namespace
