// The sky chart with 1,000 minor planets against the same chart with none: full redraws at
// 480 x 640 (192 dpi) of the all-sky map and of a 10-degree equatorial field about the crowd,
// and the places of the 1,000 at a new chart instant (computed once per instant, not per
// redraw). The 1,000 are the real minor-planet lines of tests/data/solarsystem/element_lines.txt
// (Ceres, Pallas, ...) with their mean anomalies spread over 8 degrees about each one's own, so
// that the Ceres-like quarter crowds the 10-degree field (limit "<10") as a season's asteroids do.
//
// Needs a program directory with built data: $VESPERTAR_BENCH_HOME (as `vespertar --home`);
// without one the benchmarks report an error and skip.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "chart/ChartMinorBodies.h"
#include "ephemeris/Constants.h"
#include "ephemeris/KeplerOrbit.h"
#include "solarsystem/MpcElementLines.h"

namespace {

constexpr int kWidth = 480, kHeight = 640, kDpi = 192;
constexpr int kBodies = 1000;

// The real minor-planet lines, each turned into copies whose mean anomaly at the epoch steps
// through `spreadDeg` about the line's own.
std::vector<vsp::ChartMinorBody> SynthesizedBodies(double spreadDeg) {
    std::vector<vsp::MinorBodyRecord> real;
    std::ifstream lines(VESPERTAR_SOURCE_DIR "/tests/data/solarsystem/element_lines.txt");
    for (std::string line, reason; std::getline(lines, line);) {
        vsp::MinorBodyRecord record;
        if (vsp::RecogniseElementLine(line) == vsp::ElementLineFormat::MinorPlanet &&
            vsp::ReadMinorPlanetLine(line, record, reason) && record.elements.orbit.eccentricity < 1.0)
            real.push_back(record);
    }
    std::vector<vsp::ChartMinorBody> bodies;
    for (int i = 0; real.size() > 0 && i < kBodies; ++i) {
        vsp::MinorBodyRecord record = real[size_t(i) % real.size()];
        vsp::OrbitalElements& o = record.elements.orbit;
        const double a = o.perihelionDistance / (1.0 - o.eccentricity);
        const double meanMotionDeg = vsp::kGaussianConstant / std::pow(a, 1.5) / vsp::kDegToRad;
        const double meanAnomaly = (o.epochJd - o.perihelionJd) * meanMotionDeg;
        const double step = spreadDeg * (double(i) / kBodies - 0.5);
        o.perihelionJd = vsp::PerihelionTimeFromMeanAnomaly(o.epochJd, a, meanAnomaly + step);
        record.designation += "/" + std::to_string(i);
        bodies.push_back({record, {}});
    }
    return bodies;
}

// One loaded sky, 2020-05-31 02:00 UT at 48.1 N, 11.6 E (Ceres in Aquarius, in the morning
// sky), with the table once bare and once with the 1,000.
struct BenchSky : vsp::bench::ChartSky {
    std::vector<vsp::ChartObject> crowded;
    vsp::ChartScene crowdedScene;
};

BenchSky& Sky() {
    static BenchSky sky;
    static const bool loaded = [] {
        sky.local = {2020, 5, 31, 2, 0, 0};
        if (!vsp::bench::LoadChartSky(sky)) return false;
        sky.crowded = sky.objects;
        sky.crowdedScene = sky.scene;
        sky.crowdedScene.objects = &sky.crowded;
        sky.crowdedScene.minorBodies = SynthesizedBodies(8.0);
        return sky.crowdedScene.minorBodies.size() == kBodies &&
               vsp::AppendMinorBodies(sky.local, sky.settings, sky.crowdedScene.minorBodies, sky.crowded);
    }();
    sky.ready = loaded;
    return sky;
}

// Args: 0 or 1000 minor planets; chart type; zoom level.
void BM_ChartWithMinorPlanets(benchmark::State& state) {
    BenchSky& sky = Sky();
    if (!sky.ready) {
        state.SkipWithError("set VESPERTAR_BENCH_HOME to a program directory with built data");
        return;
    }
    vsp::ChartScene& scene = state.range(0) > 0 ? sky.crowdedScene : sky.scene;
    vsp::Preferences prefs = sky.prefs;
    prefs.chartType = int(state.range(1));
    vsp::ChartView view;
    vsp::SetViewFromPreferences(view, prefs, kDpi / 48, kWidth, kHeight, sky.local, sky.settings);
    view.SetZoomLevel(int(state.range(2)));
    if (!vsp::IsHorizontalChart(prefs.chartType)) view.CentreOnVector(view.PrecomputeVector(22.95, -17.2, false));
    vsp::ChartPictures pictures;
    vsp::Canvas canvas;
    canvas.Create(kWidth, kHeight);
    vsp::ChartDrawn drawn;
    const vsp::ChartRenderOptions options{.scale = kDpi / 96.0, .listPlaced = true};
    for (auto _ : state) vsp::RenderChart(canvas, view, pictures, prefs, scene, options, drawn);
    int minorPlaced = 0;
    for (const vsp::PlacedEntry& p : drawn.placed) minorPlaced += p.kind == vsp::PlacedKind::MinorPlanet;
    state.counters["minor_placed"] = minorPlaced;
}
BENCHMARK(BM_ChartWithMinorPlanets)
    ->ArgNames({"bodies", "type", "zoom"})
    ->Args({0, 0, 0})
    ->Args({kBodies, 0, 0})
    ->Args({0, 4, 8})
    ->Args({kBodies, 4, 8})
    ->Unit(benchmark::kMillisecond);

// A new chart instant: the 1,000 places recomputed, as the two-minute refresh does.
void BM_MinorPlacesAtNewInstant(benchmark::State& state) {
    BenchSky& sky = Sky();
    if (!sky.ready) {
        state.SkipWithError("set VESPERTAR_BENCH_HOME to a program directory with built data");
        return;
    }
    std::vector<vsp::ChartObject> objects;
    for (auto _ : state) {
        objects.clear();
        vsp::AppendMinorBodies(sky.local, sky.settings, sky.crowdedScene.minorBodies, objects);
        benchmark::DoNotOptimize(objects.data());
    }
}
BENCHMARK(BM_MinorPlacesAtNewInstant)->Unit(benchmark::kMillisecond);

}  // namespace
