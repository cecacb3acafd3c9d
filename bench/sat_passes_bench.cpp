// `sat passes ISS` against databases of 100, 1,000 and 10,000 element sets: in-process (the
// front end on the command's words, as main runs it) and whole (the program started as a new
// process). The named satellite is the last record, so every name before it is compared. Each
// run reports the best time at each size and the ratio of 10,000 sets to 100, the search
// itself being the same: the reading of the database is all that grows. Target: the ratio
// under 1.5.
//
// The databases are made by importing element sets: four published sets under other names over
// and over, then the ISS's. The whole runs start $VESPERTAR_BIN, else the vespertar of the
// build folder above this benchmark.

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "cli/Command.h"

namespace {

constexpr std::array<int, 3> kSizes = {100, 1000, 10000};
const std::vector<std::string> kPasses = {"--lat", "48.85", "--lon", "2.35", "--tz", "120", "--date", "2025-07-20",
                                          "--time", "02:00", "sat", "passes", "ISS"};

// Published sets (HST, Terra, XRISM, Atlas Centaur 2) that fill the database, and the ISS's.
constexpr std::array<std::array<const char*, 2>, 4> kOthers = {{
    {"1 20580U 90037B   25200.95315838  .00004205  00000+0  15268-3 0  9990",
     "2 20580  28.4664 182.7684 0002227  96.9851 263.0997 15.25595744737699"},
    {"1 25994U 99068A   25201.53734134  .00000314  00000+0  73635-4 0  9996",
     "2 25994  97.9962 258.3640 0002376 161.3798 326.8329 14.60736776361307"},
    {"1 57800U 23137A   25200.67355022  .00003937  00000+0  24142-3 0  9992",
     "2 57800  31.0034 347.0109 0007986 219.8041 140.2011 15.08352008102545"},
    {"1 00694U 63047A   25200.93065479  .00001514  00000+0  17266-3 0  9996",
     "2 00694  30.3562  55.2038 0552456 190.9152 167.9012 14.10900332 98711"}}};
constexpr const char* kIss[] = {"ISS (ZARYA)", "1 25544U 98067A   25201.26732422  .00007301  00000+0  13592-3 0  9991",
                                "2 25544  51.6337 143.1027 0002198  97.0892 263.0347 15.49967702520293"};

// Program directories with 100, 1,000 and 10,000 sets, the ISS last; fewer when an import fails.
struct Databases {
    std::filesystem::path root;
    std::vector<std::string> homes;

    Databases() : root(vsp::bench::TempFolder("sat-passes-bench")) {
        for (const int size : kSizes) {
            const std::string home = (root / std::to_string(size)).string();
            const std::string tle = home + ".tle";
            std::ofstream out(tle);
            for (int i = 0; i + 1 < size; ++i) {
                const auto& set = kOthers[size_t(i) % kOthers.size()];
                out << "OBJECT " << i << "\n" << set[0] << "\n" << set[1] << "\n";
            }
            out << kIss[0] << "\n" << kIss[1] << "\n" << kIss[2] << "\n";
            out.close();
            std::ostringstream said, errors;
            if (vsp::cli::RunCommandLine({"--home", home, "sat", "import", tle}, said, errors, {}) != 0 ||
                said.str().find(std::to_string(size) + " satellites in the database") == std::string::npos)
                return;
            homes.push_back(home);
        }
    }
    ~Databases() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    bool Ready() const { return homes.size() == kSizes.size(); }
};

std::vector<std::string> PassesIn(const std::string& home) {
    std::vector<std::string> args = {"--home", home};
    args.insert(args.end(), kPasses.begin(), kPasses.end());
    return args;
}

bool RunInProcess(const std::string& home) {
    std::ostringstream out, err;
    return vsp::cli::RunCommandLine(PassesIn(home), out, err, {}) == 0;
}

bool RunWhole(const std::string& home) {
    std::vector<std::string> args = PassesIn(home);
    args.insert(args.begin(), vsp::bench::ProgramPath());
    return vsp::bench::RunProgram(args);
}

// Every iteration runs the command once at each size, in turn, so that the sizes share the
// machine's state; the counters are the best of each.
void MeasureSizes(benchmark::State& state, bool (*run)(const std::string&)) {
    Databases databases;
    if (!databases.Ready()) {
        state.SkipWithError("the element sets could not be imported");
        return;
    }
    std::array<double, kSizes.size()> best;
    best.fill(1e9);
    for (auto _ : state) {
        for (size_t i = 0; i < kSizes.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            if (!run(databases.homes[i])) {
                state.SkipWithError(("sat passes failed at " + std::to_string(kSizes[i]) + " sets").c_str());
                return;
            }
            best[i] = std::min(best[i], std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    for (size_t i = 0; i < kSizes.size(); ++i) state.counters["best_ms_" + std::to_string(kSizes[i])] = best[i];
    state.counters["ratio_10000_to_100"] = best.back() / best.front();
}

void BM_SatPassesInProcess(benchmark::State& state) { MeasureSizes(state, RunInProcess); }
BENCHMARK(BM_SatPassesInProcess)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_SatPassesWhole(benchmark::State& state) { MeasureSizes(state, RunWhole); }
BENCHMARK(BM_SatPassesWhole)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

}  // namespace
