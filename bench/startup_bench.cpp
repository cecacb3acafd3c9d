// Start-up as a user meets it: from process start to a drawn home form, by running
// `vespertar screen 1950 -o FILE` as a new process at 96 and 192 dpi (start-up order, settings,
// catalogs opened, home form laid out and painted, the picture written). Aim: under 300 ms.
//
// Needs a program directory with built data: $VESPERTAR_BENCH_HOME (as `vespertar --home`), made by
// `vespertar --home DIR data build ...`; without one the benchmark reports an error and skips.
// The program run is $VESPERTAR_BIN, else the vespertar of the build folder above this benchmark.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

extern char** environ;

namespace {

std::string ProgramPath() {
    if (const char* bin = std::getenv("VESPERTAR_BIN")) return bin;
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "vespertar").string();
}

// Runs the program with `args`, its output thrown away; true when it exited with 0.
bool RunProgram(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&quiet);
    int status = 0;
    return spawned && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_StartToDrawnHomeForm(benchmark::State& state) {
    const char* home = std::getenv("VESPERTAR_BENCH_HOME");
    if (!home) {
        state.SkipWithError("set VESPERTAR_BENCH_HOME to a program directory with built data");
        return;
    }
    const std::string png = (std::filesystem::temp_directory_path() / "vespertar_startup_bench.png").string();
    const std::vector<std::string> args = {ProgramPath(), "--home", home, "screen", "1950",
                                           "--dpi", std::to_string(state.range(0)), "-o", png};
    for (auto _ : state) {
        if (!RunProgram(args)) {
            state.SkipWithError(("the program did not draw the home form: " + args[0]).c_str());
            break;
        }
    }
    std::filesystem::remove(png);
}
BENCHMARK(BM_StartToDrawnHomeForm)->Arg(96)->Arg(192)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
