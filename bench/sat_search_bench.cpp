// The satellite form's searches from Paris: the passes of the ISS (30 passes, about six days of
// coarse steps and root finding) and eight days of flares of three Iridium satellites (coarse
// steps, the daylight test and the staged minimisation of the flare angle).

#include <vector>

#include <benchmark/benchmark.h>

#include "satellites/SatelliteSearches.h"

namespace {

vsp::SatelliteSearchSettings Paris(double startJd) {
    vsp::SatelliteSearchSettings settings;
    settings.ephemeris.location = {48.85, -2.35, 0.0, 0};
    settings.startJd = startJd;
    return settings;
}

void BM_IssPasses(benchmark::State& state) {
    const vsp::SatelliteRecord iss = {"ISS (ZARYA)",
                                      "1 25544U 98067A   25201.26732422  .00007301  00000+0  13592-3 0  9991",
                                      "2 25544  51.6337 143.1027 0002198  97.0892 263.0347 15.49967702520293"};
    vsp::RecordingInfoSink messages;
    for (auto _ : state) {
        vsp::SearchProgress progress;
        benchmark::DoNotOptimize(vsp::SearchPasses(iss, 0, Paris(2460877.5), progress, messages));
    }
}
BENCHMARK(BM_IssPasses)->Unit(benchmark::kMillisecond);

void BM_IridiumFlares(benchmark::State& state) {
    const std::vector<vsp::SatelliteRecord> records = {
        {"IRIDIUM 15", "1 24869U 97034A   14261.45914435  .00000158  00000-0  49327-4 0   658",
         "2 24869  86.3920  80.9693 0002072 107.1613 311.2876 14.34221814900191"},
        {"IRIDIUM 17", "1 24870U 97034B   14261.45999108  .00000389  00000-0  12908-3 0  9491",
         "2 24870  86.3922  80.2148 0001744 130.4989 290.2460 14.35294797900313"},
        {"IRIDIUM 920", "1 24871U 97034C   14261.47011208  .00000394  00000-0  12124-3 0  5830",
         "2 24871  86.3943  68.8025 0012752  47.5985   3.9161 14.38985819902121"}};
    const vsp::SatelliteSource source{3, [&](int i, vsp::SatelliteRecord& r) { r = records[size_t(i)]; return true; }};
    for (auto _ : state) {
        vsp::SearchProgress progress;
        benchmark::DoNotOptimize(
            vsp::SearchAllSatellites(vsp::AllSatelliteSearch::Flares, source, Paris(2456919.0), progress));
    }
}
BENCHMARK(BM_IridiumFlares)->Unit(benchmark::kMillisecond);

}  // namespace
