// Full redraws of the sky chart at 480 x 640 with scale factor 2 (192 dpi), every chart type,
// with the Hipparcos 110K star catalog and the 18k object table, and the PNG writing apart.
//
// Needs a program directory with built data: $VESPERTAR_BENCH_HOME (as `vespertar --home`), made by
// `vespertar --home DIR data build ...`; without one the benchmarks report an error and skip.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "catalog/ExtendedStarCatalogs.h"
#include "chart/ChartSetup.h"
#include "platform/PngFile.h"

namespace {

constexpr int kWidth = 480, kHeight = 640, kDpi = 192;

struct NullSink : vsp::InfoSink {
    int InfoBox(std::string_view, std::string_view) override { return 0; }
};

// One loaded sky shared by the benchmarks: 2026-03-20 22:00 at 48.1 N, 11.6 E.
struct BenchSky {
    NullSink sink;
    vsp::Preferences prefs;
    vsp::CalendarDateTime local{2026, 3, 20, 22, 0, 0};
    vsp::EphemerisSettings settings;
    std::unique_ptr<vsp::CatalogSession> session;
    std::vector<vsp::ChartObject> objects;
    vsp::ChartScene scene;
    bool ready = false;
};

BenchSky& Sky() {
    static BenchSky sky = [] {
        BenchSky s;
        const char* home = std::getenv("VESPERTAR_BENCH_HOME");
        if (!home) return s;
        s.prefs.cardCatalog = vsp::kExtendedHip110k;
        s.prefs.site.latitude = 48.1f;
        s.prefs.site.longitude = -11.6f;
        s.prefs.zoomStarLimit = {0, 0, 0, 0, 4, 4, 5, 5, 5, 4};  // the faintest limits offered
        s.prefs.zoomObjectLimit = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // "All"
        s.settings.location.latitude = 48.1;
        s.settings.location.longitudeWest = -11.6;
        s.settings.currentYear = 2026;
        s.session = std::make_unique<vsp::CatalogSession>(vsp::ProgramDir(home), s.sink);
        s.ready = vsp::LoadChartScene(*s.session, s.sink, s.prefs, s.local, s.settings, s.objects, s.scene) &&
                  s.session->stars.ExtendedOpen();
        return s;
    }();
    return sky;
}

// Args: chart type, zoom level. The view looks south-east, 40 degrees up, through Orion's
// region of the sky in March evenings.
void BM_ChartRedraw(benchmark::State& state) {
    BenchSky& sky = Sky();
    if (!sky.ready) {
        state.SkipWithError("set VESPERTAR_BENCH_HOME to a program directory with built data and the 110K catalog");
        return;
    }
    vsp::Preferences prefs = sky.prefs;
    prefs.chartType = int(state.range(0));
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
    ->ArgNames({"type", "zoom"})
    ->Args({0, 0})
    ->Args({0, 4})
    ->Args({0, 6})
    ->Args({1, 4})
    ->Args({2, 3})
    ->Args({2, 6})
    ->Args({3, 6})
    ->Args({4, 3})
    ->Args({4, 6})
    ->Unit(benchmark::kMillisecond);

void BM_ChartPng(benchmark::State& state) {
    BenchSky& sky = Sky();
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

}  // namespace
