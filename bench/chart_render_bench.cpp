// Full redraws of the sky chart at 480 x 640 with scale factor 2 (192 dpi), every chart type,
// with the Hipparcos 110K star catalog and the 18k object table, the optional layers and the
// names placed by priority on and off, and the PNG writing apart.
//
// Needs a program directory with built data: $VESPERTAR_BENCH_HOME (as `vespertar --home`), made by
// `vespertar --home DIR data build ...`; without one the benchmarks report an error and skip.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "catalog/ExtendedStarCatalogs.h"
#include "platform/PngFile.h"
#include "platform/vector/VectorSurface.h"

namespace {

constexpr int kWidth = 480, kHeight = 640, kDpi = 192;

// One loaded sky shared by the benchmarks: 2026-03-20 22:00 at 48.1 N, 11.6 E, every object
// ("All") and the 110K stars.
vsp::bench::ChartSky& Sky() {
    static vsp::bench::ChartSky sky;
    static const bool loaded = [] {
        sky.local = {2026, 3, 20, 22, 0, 0};
        sky.prefs.cardCatalog = vsp::kExtendedHip110k;
        sky.prefs.zoomObjectLimit = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // "All"
        return vsp::bench::LoadChartSky(sky) && sky.session->stars.ExtendedOpen();
    }();
    sky.ready = loaded;
    return sky;
}

// Args: chart type, zoom level, layers, priority. The view looks south-east, 40 degrees up,
// through Orion's region of the sky in March evenings.
void BM_ChartRedraw(benchmark::State& state) {
    vsp::bench::ChartSky& sky = Sky();
    if (!sky.ready) {
        state.SkipWithError("set VESPERTAR_BENCH_HOME to a program directory with built data and the 110K catalog");
        return;
    }
    vsp::Preferences prefs = sky.prefs;
    prefs.chartType = int(state.range(0));
    // The optional layers beneath and beside the stars: the Milky Way, borders, star names.
    prefs.milkyWay = prefs.constBoundaries = prefs.starNames = prefs.constFullNames = state.range(2) != 0;
    // The names placed by priority, each where it covers no other.
    prefs.labelPriority = state.range(3) != 0;
    vsp::ChartView view;
    vsp::SetViewFromPreferences(view, prefs, kDpi / 48, kWidth, kHeight, sky.local, sky.settings);
    view.SetZoomLevel(int(state.range(1)));
    if (vsp::IsHorizontalChart(prefs.chartType)) {
        view.CentreHorizontalOn(200.0, 35.0);
    } else {
        view.CentreOnVector(view.PrecomputeVector(5.6, 0.0, false));
    }
    vsp::ChartPictures pictures;
    vsp::Canvas canvas;
    canvas.Create(kWidth, kHeight);
    vsp::ChartDrawn drawn;
    const vsp::ChartRenderOptions options{.scale = kDpi / 96.0};
    for (auto _ : state) vsp::RenderChart(canvas, view, pictures, prefs, sky.scene, options, drawn);
    state.counters["stars_drawn"] = drawn.starsDrawn;
    state.counters["stars_per_s"] =
        benchmark::Counter(double(drawn.starsDrawn), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ChartRedraw)
    ->ArgNames({"type", "zoom", "layers", "priority"})
    ->Args({0, 0, 0, 0})
    ->Args({0, 4, 0, 0})
    ->Args({0, 6, 0, 0})
    ->Args({1, 4, 0, 0})
    ->Args({2, 3, 0, 0})
    ->Args({2, 6, 0, 0})
    ->Args({3, 6, 0, 0})
    ->Args({4, 3, 0, 0})
    ->Args({4, 6, 0, 0})
    ->Args({0, 0, 1, 0})
    ->Args({0, 6, 1, 0})
    ->Args({2, 3, 1, 0})
    ->Args({2, 6, 1, 0})
    ->Args({4, 6, 1, 0})
    ->Args({0, 0, 1, 1})
    ->Args({0, 6, 1, 1})
    ->Args({2, 3, 1, 1})
    ->Args({2, 6, 1, 1})
    ->Args({4, 6, 1, 1})
    ->Unit(benchmark::kMillisecond);

void BM_ChartPng(benchmark::State& state) {
    vsp::bench::ChartSky& sky = Sky();
    if (!sky.ready) {
        state.SkipWithError("set VESPERTAR_BENCH_HOME to a program directory with built data and the 110K catalog");
        return;
    }
    vsp::ChartView view;
    vsp::SetViewFromPreferences(view, sky.prefs, kDpi / 48, kWidth, kHeight, sky.local, sky.settings);
    vsp::ChartPictures pictures;
    vsp::Canvas canvas;
    canvas.Create(kWidth, kHeight);
    vsp::ChartDrawn drawn;
    vsp::RenderChart(canvas, view, pictures, sky.prefs, sky.scene, vsp::ChartRenderOptions{.scale = 2.0}, drawn);
    std::string error;
    for (auto _ : state) vsp::WritePng(canvas, "/tmp/vespertar-bench-chart.png", error);
    std::remove("/tmp/vespertar-bench-chart.png");
}
BENCHMARK(BM_ChartPng)->Unit(benchmark::kMillisecond);

// The whole-sky chart (the busiest: every object, the 110K stars) drawn and written as one SVG
// (arg 0) or PDF (arg 1) page; the counter gives the file's size.
void BM_ChartVector(benchmark::State& state) {
    vsp::bench::ChartSky& sky = Sky();
    if (!sky.ready) {
        state.SkipWithError("set VESPERTAR_BENCH_HOME to a program directory with built data and the 110K catalog");
        return;
    }
    vsp::Preferences prefs = sky.prefs;
    prefs.chartType = 2;
    vsp::ChartView view;
    vsp::SetViewFromPreferences(view, prefs, kDpi / 48, kWidth, kHeight, sky.local, sky.settings);
    vsp::ChartPictures pictures;
    vsp::ChartDrawn drawn;
    const bool pdf = state.range(0) == 1;
    const std::string path = pdf ? "/tmp/vespertar-bench-chart.pdf" : "/tmp/vespertar-bench-chart.svg";
    std::string error;
    for (auto _ : state) {
        vsp::VectorDocument document;
        document.Open(path, pdf ? vsp::VectorFormat::Pdf : vsp::VectorFormat::Svg, kWidth, kHeight, error);
        {
            vsp::VectorSurface surface(document, kWidth, kHeight, 0.0, 0.0, 1.0);
            vsp::RenderChart(surface, view, pictures, prefs, sky.scene, vsp::ChartRenderOptions{.scale = 2.0}, drawn);
        }
        document.Close(error);
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file) {
        std::fseek(file, 0, SEEK_END);
        state.counters["bytes"] = double(std::ftell(file));
        std::fclose(file);
    }
    state.counters["stars_drawn"] = drawn.starsDrawn;
    std::remove(path.c_str());
}
BENCHMARK(BM_ChartVector)->ArgNames({"pdf"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
