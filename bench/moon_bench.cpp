// The Moon: the long series alone, the whole precise record (nutation, the Sun, the age), the
// record through ComputeBody in the geocentric and the topocentric refracted modes, and the
// quick series that tables call many times.

#include <benchmark/benchmark.h>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/LunarSeries.h"
#include "ephemeris/MoonPrecise.h"
#include "ephemeris/MoonQuick.h"
#include "ephemeris/Time.h"

namespace {

void BM_LunarSeries(benchmark::State& state) {
    double jde = 2460311.5;
    double longitude = 0, latitude = 0, distance = 0;
    for (auto _ : state) {
        jde += 0.0036525;  // about 5 minutes a call
        vsp::LunarSeries(vsp::Instant::FromTt(jde, 69.0), longitude, latitude, distance);
        benchmark::DoNotOptimize(longitude);
        benchmark::DoNotOptimize(latitude);
        benchmark::DoNotOptimize(distance);
    }
}
BENCHMARK(BM_LunarSeries);

void BM_MoonPrecise(benchmark::State& state) {
    vsp::EphemerisSettings settings;
    settings.currentYear = 2024;
    vsp::BodyPosition record;
    double jde = 2460311.5;
    int picture = 0;
    for (auto _ : state) {
        jde += 0.0036525;
        vsp::MoonPrecise(record, vsp::Instant::FromTt(jde, 69.0), settings, &picture);
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_MoonPrecise);

// The whole Moon record (ComputeBody with code 1) is measured with the other bodies.

void BM_MoonQuick(benchmark::State& state) {
    vsp::EphemerisSettings settings;
    settings.currentYear = 2024;
    double ra = 0, dec = 0;
    int minute = 0;
    for (auto _ : state) {
        minute = (minute + 1) % 60;
        vsp::MoonQuick(ra, dec, vsp::LocalInstant({2024, 3, 20, 21, minute, 0}, settings), settings);
        benchmark::DoNotOptimize(ra);
        benchmark::DoNotOptimize(dec);
    }
}
BENCHMARK(BM_MoonQuick);

}  // namespace
