// What the benchmarks share: a sink that swallows information boxes, a fresh temporary folder
// for files they write, the output of a peer run beside them, and a chart sky loaded from the
// program directory $VESPERTAR_BENCH_HOME (as `vespertar --home`, with built data). Without that
// directory the sky stays not ready and the chart benchmarks skip.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include "chart/ChartSetup.h"

extern char** environ;

namespace vsp::bench {

struct NullSink : InfoSink {
    int InfoBox(std::string_view, std::string_view) override { return 0; }
};

// A new folder /tmp/vsp-NAME-XXXXXX (the system's temporary folder when none can be made).
inline std::filesystem::path TempFolder(const std::string& name) {
    std::string pattern = "/tmp/vsp-" + name + "-XXXXXX";
    return mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::temp_directory_path();
}

// What a peer's command (a shell line, usually a Python script) prints on its standard output;
// empty when it cannot start or fails, so that a missing peer only leaves its figures out.
inline std::string PeerOutput(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string out;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) out.append(chunk, n);
    return pclose(pipe) == 0 ? out : std::string();
}

// The program the benchmarks start as a new process: $VESPERTAR_BIN, else the vespertar of the
// build folder above the benchmark.
inline std::string ProgramPath() {
    if (const char* bin = std::getenv("VESPERTAR_BIN")) return bin;
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "vespertar").string();
}

// Runs the program with `args` (the program first), its output thrown away; true when it
// exited with 0.
inline bool RunProgram(const std::vector<std::string>& args) {
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

// The chart's tables for `local` at 48.1 N, 11.6 E with the faintest star limits offered.
struct ChartSky {
    NullSink sink;
    Preferences prefs;
    CalendarDateTime local;
    EphemerisSettings settings;
    std::unique_ptr<CatalogSession> session;
    std::vector<ChartObject> objects;
    ChartScene scene;
    bool ready = false;
};

// Loads `sky` for its `local` time and the preferences the caller has set; false (and not
// ready) without a program directory or when its tables do not load.
inline bool LoadChartSky(ChartSky& sky) {
    const char* home = std::getenv("VESPERTAR_BENCH_HOME");
    if (!home) return false;
    sky.prefs.site.latitude = 48.1f;
    sky.prefs.site.longitude = -11.6f;
    sky.prefs.zoomStarLimit = {0, 0, 0, 0, 4, 4, 5, 5, 5, 4};
    sky.settings.location.latitude = 48.1;
    sky.settings.location.longitudeWest = -11.6;
    sky.settings.currentYear = sky.local.year;
    sky.session = std::make_unique<CatalogSession>(ProgramDir(home), sky.sink);
    sky.ready = LoadChartScene(*sky.session, sky.sink, sky.prefs, sky.local, sky.settings, sky.objects, sky.scene);
    return sky.ready;
}

}  // namespace vsp::bench
