// The reduction of catalog stars as the chart does it, thousands per redraw for one date:
// chart mode 0 (the cached precession-nutation matrix) and mode 2 (the full topocentric
// reduction with the Earth ephemeris); and the nutation series behind both, uncached.

#include <benchmark/benchmark.h>

#include <vector>

#include "ephemeris/EarthOrientation.h"
#include "ephemeris/StarHorizontal.h"

namespace {

std::vector<vsp::StarCatalogPlace> Stars() {
    std::vector<vsp::StarCatalogPlace> stars;
    for (int i = 0; i < 1000; ++i) {
        vsp::StarCatalogPlace s;
        s.raHours = (i * 7919 % 24000) / 1000.0;
        s.decDeg = (i * 104729 % 17800) / 100.0 - 89.0;
        s.pmRaMasPerYear = (i % 41) - 20.0;
        s.pmDecMasPerYear = (i % 37) - 18.0;
        s.parallaxMas = (i % 13) * 2.0;
        stars.push_back(s);
    }
    return stars;
}

void StarHorizontalMode(benchmark::State& state) {
    const int mode = int(state.range(0));
    const std::vector<vsp::StarCatalogPlace> stars = Stars();
    vsp::EphemerisSettings settings;
    settings.location.latitude = 48.0;
    settings.location.longitudeWest = -2.0;
    settings.currentYear = 2024;
    const vsp::Instant when = vsp::LocalInstant({2024, 3, 1, 21, 0, 0}, settings);
    vsp::ReductionState reduction;  // one date: the caches fill once
    size_t i = 0;
    for (auto _ : state) {
        vsp::StarPlace place;
        benchmark::DoNotOptimize(
            vsp::StarHorizontal(stars[i++ % stars.size()], mode, when, settings, reduction, place));
        benchmark::DoNotOptimize(place);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(StarHorizontalMode)->Arg(0)->Arg(2);

void EarthTiltUncached(benchmark::State& state) {
    double jde = 2460000.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vsp::EarthTilt(jde));
        jde += 0.01;
    }
}
BENCHMARK(EarthTiltUncached);

}  // namespace
