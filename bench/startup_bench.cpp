// Start-up as a user meets it: from process start to a drawn home form, by running
// `vespertar screen 1950 -o FILE` as a new process at 96 and 192 dpi (start-up order, settings,
// catalogs opened, home form laid out and painted, the picture written). Aim: under 300 ms.
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

void BM_StartToDrawnHomeForm(benchmark::State& state) {
    const char* home = std::getenv("VESPERTAR_BENCH_HOME");
    if (!home) {
        state.SkipWithError("set VESPERTAR_BENCH_HOME to a program directory with built data");
        return;
    }
    const std::string png = (std::filesystem::temp_directory_path() / "vespertar_startup_bench.png").string();
    const std::vector<std::string> args = {vsp::bench::ProgramPath(), "--home", home, "screen", "1950",
                                           "--dpi", std::to_string(state.range(0)), "-o", png};
    for (auto _ : state) {
        if (!vsp::bench::RunProgram(args)) {
            state.SkipWithError(("the program did not draw the home form: " + args[0]).c_str());
            break;
        }
    }
    std::filesystem::remove(png);
}
BENCHMARK(BM_StartToDrawnHomeForm)->Arg(96)->Arg(192)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
