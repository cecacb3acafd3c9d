// ComputeBody for each body (a chart computes all of them at every redraw) and the Simon et
// al. (1994) heliocentric planets (the light-time iteration calls them repeatedly).

#include <benchmark/benchmark.h>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/PlanetHeliocentric.h"
#include "ephemeris/Time.h"

namespace {

void BM_ComputeBody(benchmark::State& state) {
    const int code = int(state.range(0));
    vsp::EphemerisSettings settings;
    settings.chartMode = int(state.range(1));
    settings.currentYear = 2024;
    vsp::BodyPosition record;
    vsp::BodyHorizon horizon;
    int minute = 0;
    for (auto _ : state) {
        // A new minute every call, so no date cache can answer.
        minute = (minute + 1) % 60;
        benchmark::DoNotOptimize(
            vsp::ComputeBody(record, code, vsp::LocalInstant({2024, 3, 20, 21, minute, 0}, settings), settings, &horizon));
        benchmark::DoNotOptimize(record);
    }
    state.SetLabel(vsp::BodyName(code));
}
BENCHMARK(BM_ComputeBody)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 3}})
    ->ArgNames({"code", "mode"});

void BM_PlanetHeliocentric(benchmark::State& state) {
    const int planet = int(state.range(0));
    double p[3], v[3];
    double jde = 2460000.5;
    for (auto _ : state) {
        jde += 0.001;
        benchmark::DoNotOptimize(vsp::PlanetHeliocentric(vsp::Instant::FromTt(jde, 69.0), planet, p, v));
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_PlanetHeliocentric)->DenseRange(1, 8);

void BM_EarthBarycentric(benchmark::State& state) {
    double p[3], v[3];
    double jde = 2460000.5;
    for (auto _ : state) {
        jde += 0.001;
        benchmark::DoNotOptimize(vsp::EarthBarycentric(vsp::Instant::FromTt(jde, 69.0), p, v));
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_EarthBarycentric);

}  // namespace
