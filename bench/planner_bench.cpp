// The observing planner's scan of the whole object database, as `vespertar plan --visibility
// ">30°" --magnitude "<8"` makes it at 48.1 N, 11.6 E on 2026-08-15 22:30 UT, beside astropy's
// vectorised filter of the same records, place and time (scripts/fixtures/planner_scan_astropy.py,
// run from here in the same session), and the whole search with every source.
//
// Needs a program directory with built data: VESPERTAR_BENCH_HOME=DIR (made with
// `vespertar --home DIR data build`); without it the benchmarks are skipped. The peer's figures
// need Debian's python3-astropy.
//
//   VESPERTAR_BENCH_HOME=DIR build/bench/planner_bench

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>

#include "BenchSupport.h"
#include "catalog/ObjectLookup.h"
#include "tools/Planner.h"
#include "tools/PlannerRun.h"

namespace {

constexpr int16_t kMagnitudeBelow8 = 5;
constexpr int16_t kAbove30Degrees = 5;
constexpr int kAltitudeLimitDeg = 30;
constexpr int kMagnitudeLimit = 8;
constexpr int32_t kListCapacity = 500;
constexpr const char* kWhen = "2026-08-15T22:30:00";

struct Scan {
    vsp::bench::NullSink sink;
    std::unique_ptr<vsp::ObjectCatalogs> catalogs;
    vsp::Preferences prefs;
    vsp::EphemerisSettings ephemeris;
    vsp::SelectionCriteria criteria;
    bool ready = false;
    // The peer's run: its best time, and the records it passed.
    double astropySeconds = -1.0;
    std::set<int32_t> astropyPassed;

    vsp::PlannerContext Context() { return {catalogs->Session(), prefs, ephemeris, sink, {}, {}}; }
};

// The records' J2000 places and magnitudes as the peer reads them; false when a record cannot be read.
bool WriteObjects(vsp::CatalogDb& objects, vsp::InfoSink& sink, const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (!out) return false;
    std::fprintf(out, "ra_hours,dec_deg,magnitude\n");
    bool read = true;
    for (int32_t i = 0; i < objects.RecordCount() && read; ++i) {
        vsp::ObjectRecord record;
        read = vsp::ObjectRead(objects, sink, i, record);
        std::fprintf(out, "%.9g,%.9g,%.9g\n", double(record.ra), double(record.dec), double(record.magnitude));
    }
    return std::fclose(out) == 0 && read;
}

void RunPeer(Scan& scan) {
    const std::filesystem::path dir = vsp::bench::TempFolder("planner-bench");
    const std::string csv = (dir / "objects.csv").string(), passed = (dir / "passed.txt").string();
    if (!WriteObjects(scan.catalogs->Files().objects, scan.sink, csv)) return;
    char limits[64];
    std::snprintf(limits, sizeof limits, " 48.1 11.6 %s %d %d", kWhen, kAltitudeLimitDeg, kMagnitudeLimit);
    const std::string out = vsp::bench::PeerOutput(
        "/usr/bin/python3 " VESPERTAR_SOURCE_DIR "/scripts/fixtures/planner_scan_astropy.py " + csv + " " + passed + limits);
    int objects = 0, count = 0;
    double seconds = 0.0;
    if (std::sscanf(out.c_str(), "astropy filter: %d objects, %d passed, %lf s", &objects, &count, &seconds) != 3) return;
    std::ifstream indices(passed);
    for (int32_t i; indices >> i;) scan.astropyPassed.insert(i);
    scan.astropySeconds = seconds;
}

Scan& TheScan() {
    static Scan scan = [] {
        Scan s;
        const char* home = std::getenv("VESPERTAR_BENCH_HOME");
        if (!home) return s;
        s.catalogs = std::make_unique<vsp::ObjectCatalogs>(vsp::ProgramDir(home), s.sink);
        if (!s.catalogs->Open()) return s;
        s.ephemeris.location.latitude = 48.1;
        s.ephemeris.location.longitudeWest = -11.6;
        s.ephemeris.location.tzOffset = 0;
        s.criteria.magnitudeLimit = kMagnitudeBelow8;
        s.criteria.visibility = kAbove30Degrees;
        vsp::SetCriteriaTime(s.criteria, {2026, 8, 15, 22, 30, 0});
        s.ready = true;
        RunPeer(s);
        return s;
    }();
    return scan;
}

// The scan's catalogs; null, with the benchmark skipped, without a program directory.
Scan* ReadyScan(benchmark::State& state) {
    Scan& scan = TheScan();
    if (scan.ready) return &scan;
    state.SkipWithError("set VESPERTAR_BENCH_HOME to a program directory with built data");
    return nullptr;
}

void BM_PlannerDatabaseScan(benchmark::State& state) {
    Scan* ready = ReadyScan(state);
    if (!ready) return;
    Scan& scan = *ready;
    vsp::PlannerContext context = scan.Context();
    vsp::ObservingList list(kListCapacity);
    for (auto _ : state) {
        list.Clear();
        vsp::PlannerRun run(scan.criteria, context, list);
        vsp::SearchObjectDatabase(run);
        benchmark::DoNotOptimize(list.Count());
    }
    // Records astropy passes that the list does not hold, and the reverse: the list takes each
    // target (catalog and number) once, so the object file's further records of a target
    // count here, as would a place that falls either side of the limit (astropy's apparent
    // places against our fixed-point sines).
    int differing = 0;
    std::set<int32_t> ours;
    for (const vsp::ListEntry& entry : list.Entries()) ours.insert(entry.sourceIndex);
    for (int32_t i : ours) differing += scan.astropyPassed.count(i) == 0 ? 1 : 0;
    for (int32_t i : scan.astropyPassed) differing += ours.count(i) == 0 ? 1 : 0;
    state.counters["objects"] = scan.catalogs->Files().objects.RecordCount();
    state.counters["passed"] = list.Count();
    if (scan.astropySeconds < 0) return;
    state.counters["astropy_passed"] = double(scan.astropyPassed.size());
    state.counters["differing"] = differing;
    state.counters["astropy_ms"] = scan.astropySeconds * 1e3;
    state.counters["ratio_astropy_over_ours"] =
        benchmark::Counter(scan.astropySeconds * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlannerDatabaseScan)->Unit(benchmark::kMillisecond);

// Every source in its order, as the command runs them: the planets, Messier, Caldwell, the
// database and the bright stars among them.
void BM_PlannerWholeSearch(benchmark::State& state) {
    Scan* ready = ReadyScan(state);
    if (!ready) return;
    Scan& scan = *ready;
    vsp::PlannerContext context = scan.Context();
    vsp::ObservingList list(kListCapacity);
    for (auto _ : state) benchmark::DoNotOptimize(vsp::NewSearch(scan.criteria, context, list));
    state.counters["passed"] = list.Count();
}
BENCHMARK(BM_PlannerWholeSearch)->Unit(benchmark::kMillisecond);

}  // namespace
