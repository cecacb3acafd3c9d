// The eclipse search (a hundred eclipses, found list by list as the eclipses command does, and
// the twelve of the eclipse screen) and one lunar phase with and without the eclipse test.

#include <benchmark/benchmark.h>

#include "ephemeris/Eclipses.h"
#include "ephemeris/LunarPhase.h"

namespace {

vsp::EphemerisSettings Settings() {
    vsp::EphemerisSettings settings;
    settings.currentYear = 2024;
    return settings;
}

void BM_EclipseSearch100(benchmark::State& state) {
    const vsp::EphemerisSettings settings = Settings();
    int year = 1950;
    for (auto _ : state) {
        year = year < 2050 ? year + 1 : 1950;  // a new start each time
        const auto found = vsp::CollectEclipses(100, year, 3, 14, settings);
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_EclipseSearch100)->Unit(benchmark::kMicrosecond);

void BM_FindEclipses12(benchmark::State& state) {
    const vsp::EphemerisSettings settings = Settings();
    vsp::EclipseList list;
    int year = 1950;
    for (auto _ : state) {
        year = year < 2050 ? year + 1 : 1950;
        vsp::FindEclipses(list, 12, year, 3, 14, settings);
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_FindEclipses12)->Unit(benchmark::kMicrosecond);

void BM_LunarPhase(benchmark::State& state) {
    const vsp::EphemerisSettings settings = Settings();
    const unsigned flags = unsigned(state.range(0));
    const double code = state.range(1) / 4.0;
    vsp::LunarPhaseResult result;
    vsp::LunarEclipseDetails details;
    int32_t lunation = -1200;
    for (auto _ : state) {
        lunation = lunation < 1200 ? lunation + 1 : -1200;
        benchmark::DoNotOptimize(vsp::LunarPhaseOf(code, lunation, flags, settings, result, &details));
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_LunarPhase)->ArgsProduct({{0, 1}, {0, 1, 2}})->ArgNames({"eclipse", "phase_x4"});

}  // namespace
