// The catalogs as built by `vespertar data build`: the region walk over the Hipparcos 110K
// catalog that draws a chart's extended stars, and finding an object by its designation
// through the opened files (the finder's and the `object` command's path).
//
// Needs a program directory with built data: VESPERTAR_BENCH_HOME=DIR (made with
// `vespertar --home DIR data build`); without it the benchmarks are skipped.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "catalog/Designation.h"
#include "catalog/StarCatalog.h"
#include "catalog/ObjectLookup.h"

namespace {

constexpr int kHip110kRow = 4;
constexpr const char* kNoHome =
    "set VESPERTAR_BENCH_HOME to a program directory with built data (vespertar --home DIR data build)";

std::optional<vsp::ProgramDir> BenchHome() {
    const char* home = std::getenv("VESPERTAR_BENCH_HOME");
    if (!home || !*home) return std::nullopt;
    return vsp::ProgramDir(home);
}

// Takes every star the walk offers, as a chart whose whole view is on screen.
class CountingTarget : public vsp::StarWalkTarget {
public:
    bool DrawStar(const vsp::StarRecord& star, int sizeClass, int colourClass, int16_t& screenX,
                  int16_t& screenY) override {
        screenX = int16_t(star.ra >> 20);
        screenY = int16_t(star.dec >> 20);
        checksum += sizeClass + colourClass;
        return true;
    }
    int64_t checksum = 0;
};

// A view of `widthHours` of right ascension from 4h and `heightDeg` of declination from -10,
// down to `limit`.
void RegionWalk(benchmark::State& state, double widthHours, float heightDeg, float limit) {
    const auto home = BenchHome();
    if (!home) {
        state.SkipWithError(kNoHome);
        return;
    }
    vsp::RecordingInfoSink messages;
    vsp::StarCatalog stars(*home, messages);
    if (!stars.OpenExtendedCatalog(kHip110kRow)) {
        state.SkipWithError("no vespertar_hip_110k.ppc in the bench home's data/");
        return;
    }
    vsp::StarWalkView view;
    view.limitingMagnitude = limit;
    view.lowestDec = -10.0f;
    view.highestDec = -10.0f + heightDeg;
    view.windows[0] = {4 * 60, 4 * 60 + int(widthHours * 60)};
    CountingTarget target;
    int drawn = 0;
    for (auto _ : state) {
        drawn = stars.WalkRegion(view, target);
        benchmark::DoNotOptimize(target.checksum);
    }
    state.counters["stars"] = drawn;
    state.counters["stars_per_s"] = benchmark::Counter(double(drawn), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_RegionWalk110kNarrowField(benchmark::State& state) { RegionWalk(state, 1.0, 10.0f, 9.0f); }
void BM_RegionWalk110kWideField(benchmark::State& state) { RegionWalk(state, 4.0, 60.0f, 9.0f); }
void BM_RegionWalk110kWholeBandAllStars(benchmark::State& state) { RegionWalk(state, 24.0, 100.0f, 15.0f); }
BENCHMARK(BM_RegionWalk110kNarrowField)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegionWalk110kWideField)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegionWalk110kWholeBandAllStars)->Unit(benchmark::kMillisecond);

// Text to record: the designation read, then the list or the catalog's record range searched.
void DesignationLookup(benchmark::State& state, const char* text) {
    const auto home = BenchHome();
    if (!home) {
        state.SkipWithError(kNoHome);
        return;
    }
    vsp::RecordingInfoSink messages;
    vsp::ObjectCatalogs catalogs(*home, messages);
    catalogs.Open();
    if (!catalogs.Files().objects.IsOpen()) {
        state.SkipWithError("no object file in the bench home's data/");
        return;
    }
    for (auto _ : state) {
        int32_t catalog = 0, number = 0;
        vsp::FoundObject found;
        std::string problem;
        if (!vsp::DesignationParse(catalogs.Table(), text, catalog, number) ||
            vsp::FindObject(catalogs.Session(), catalogs.Messages(), catalog, number, found, problem) !=
                vsp::ObjectSearch::Found) {
            state.SkipWithError(("lookup failed: " + problem).c_str());
            break;
        }
        benchmark::DoNotOptimize(found.record.ra);
    }
}

void BM_DesignationLookupM31(benchmark::State& state) { DesignationLookup(state, "M31"); }
void BM_DesignationLookupNgc7000(benchmark::State& state) { DesignationLookup(state, "NGC 7000"); }
BENCHMARK(BM_DesignationLookupM31)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DesignationLookupNgc7000)->Unit(benchmark::kMicrosecond);

}  // namespace
