// Start-up as a user meets it, each command run as a new process:
// - a drawn home form, `vespertar screen 1950 -o FILE` at 96 and 192 dpi (start-up order,
//   settings, catalogs opened, home form laid out and painted, the picture written); aim under
//   300 ms;
// - headless commands, `version` and `body all`, beside `/bin/true` (the cost of any process
//   start on this machine); aim under 10 ms;
// - a whole chart, `chart -o FILE.png` at a fixed time (catalogs loaded, drawn, written); aim
//   under 40 ms.
//
// Needs a program directory with built data: $VESPERTAR_BENCH_HOME (as `vespertar --home`), made by
// `vespertar --home DIR data build ...`; without one the benchmark reports an error and skips.
// The program run is $VESPERTAR_BIN, else the vespertar of the build folder above this benchmark.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

namespace {

using vsp::bench::ProgramPath;
using vsp::bench::RunProgram;

const char* BenchHome(benchmark::State& state) {
    const char* home = std::getenv("VESPERTAR_BENCH_HOME");
    if (!home) state.SkipWithError("set VESPERTAR_BENCH_HOME to a program directory with built data");
    return home;
}

void RunEach(benchmark::State& state, const std::vector<std::string>& args) {
    for (auto _ : state) {
        if (!RunProgram(args)) {
            state.SkipWithError(("the command failed: " + args[0] + " " + args.back()).c_str());
            break;
        }
    }
}

void BM_StartToDrawnHomeForm(benchmark::State& state) {
    const char* home = BenchHome(state);
    if (!home) return;
    const std::string png = (std::filesystem::temp_directory_path() / "vespertar_startup_bench.png").string();
    RunEach(state, {ProgramPath(), "--home", home, "screen", "1950", "--dpi", std::to_string(state.range(0)), "-o", png});
    std::filesystem::remove(png);
}
BENCHMARK(BM_StartToDrawnHomeForm)->Arg(96)->Arg(192)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor every process start on this machine pays.
void BM_PeerTrue(benchmark::State& state) { RunEach(state, {"/bin/true"}); }
BENCHMARK(BM_PeerTrue)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HeadlessVersion(benchmark::State& state) { RunEach(state, {ProgramPath(), "version"}); }
BENCHMARK(BM_HeadlessVersion)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HeadlessBodyAll(benchmark::State& state) {
    if (const char* home = BenchHome(state))
        RunEach(state, {ProgramPath(), "--home", home, "body", "all", "--date", "2026-08-15", "--time", "22:30"});
}
BENCHMARK(BM_HeadlessBodyAll)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WholeChartPng(benchmark::State& state) {
    const char* home = BenchHome(state);
    if (!home) return;
    const std::string png = (std::filesystem::temp_directory_path() / "vespertar_chart_bench.png").string();
    RunEach(state, {ProgramPath(), "--home", home, "chart", "--date", "2026-08-15", "--time", "22:30", "-o", png});
    std::filesystem::remove(png);
}
BENCHMARK(BM_WholeChartPng)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
