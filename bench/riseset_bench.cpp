// A month of rise, transit and set, as a monthly table computes it: the Sun and the Moon from
// their places at 0h of each day (ComputeBody) by the interpolating method, and a star by the
// direct method.

#include <benchmark/benchmark.h>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/RiseTransitSet.h"
#include "ephemeris/Time.h"

namespace {

constexpr int kDays = 30;

vsp::EphemerisSettings Berlin() {
    vsp::EphemerisSettings settings;
    settings.location.latitude = 52.52;
    settings.location.longitudeWest = -13.40;
    settings.location.tzOffset = 60;
    settings.currentYear = 2025;
    return settings;
}

vsp::CalendarDateTime Day(int index) {
    return vsp::CalendarFromJulianDay(vsp::JulianDay(2025, 3, 1) + index);
}

// Places at 0h local for the 32 days a month of three-day windows needs, then the month.
void MonthOfBody(benchmark::State& state, int code, double h0) {
    const vsp::EphemerisSettings settings = Berlin();
    double ra[kDays + 2], dec[kDays + 2];
    for (auto _ : state) {
        for (int i = 0; i < kDays + 2; ++i) {
            const vsp::CalendarDateTime d = Day(i - 1);
            vsp::BodyPosition place;
            vsp::ComputeBody(place, code, vsp::LocalInstant(d, settings), settings);
            ra[i] = place.rightAscension;
            dec[i] = place.declination;
        }
        for (int i = 1; i <= kDays; ++i) {
            const vsp::CalendarDateTime d = Day(i - 1);
            vsp::RiseTransitSetTimes times;
            vsp::RiseTransitSetMoving(d.year, d.month, d.day, 0, 0, 0,
                                      {ra[i - 1], dec[i - 1], ra[i], dec[i], ra[i + 1], dec[i + 1]}, h0,
                                      settings, times);
            benchmark::DoNotOptimize(times);
        }
    }
    state.SetItemsProcessed(state.iterations() * kDays);
}

void BM_MonthSun(benchmark::State& state) { MonthOfBody(state, vsp::kBodySun, -0.833333); }
BENCHMARK(BM_MonthSun)->Unit(benchmark::kMicrosecond);

void BM_MonthMoon(benchmark::State& state) { MonthOfBody(state, vsp::kBodyMoon, 0.125); }
BENCHMARK(BM_MonthMoon)->Unit(benchmark::kMicrosecond);

// The interpolation alone, places given (what a caller with cached places pays).
void BM_RiseTransitSetMoving(benchmark::State& state) {
    const vsp::EphemerisSettings settings = Berlin();
    const vsp::ThreeDayPlaces moon{5.1, 25.0, 6.05, 27.1, 7.0, 28.0};
    vsp::RiseTransitSetTimes times;
    for (auto _ : state) {
        vsp::RiseTransitSetMoving(2025, 3, 12, 0, 0, 0, moon, 0.125, settings, times);
        benchmark::DoNotOptimize(times);
    }
}
BENCHMARK(BM_RiseTransitSetMoving);

// Vega for a month by the direct method; one noon sidereal time per day.
void BM_MonthFixedStar(benchmark::State& state) {
    const vsp::EphemerisSettings settings = Berlin();
    for (auto _ : state) {
        vsp::Lst12Cache cache;
        for (int i = 0; i < kDays; ++i) {
            const vsp::CalendarDateTime d = Day(i);
            vsp::RiseTransitSetTimes times;
            vsp::RiseTransitSetFixed(d.year, d.month, d.day, settings.location, 0.0, 18.6156, 38.7837,
                                     cache, times);
            benchmark::DoNotOptimize(times);
        }
    }
    state.SetItemsProcessed(state.iterations() * kDays);
}
BENCHMARK(BM_MonthFixedStar)->Unit(benchmark::kMicrosecond);

}  // namespace
