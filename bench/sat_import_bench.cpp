// `sat import` of the whole active catalog as OMM CSV: 11,000 rows (four published sets, each
// row with another catalog number, from 1 to nine digits, and other node, anomaly and
// inclination) read from a file, parsed, turned into element lines, checked and written as
// a new satellite database. Beside it, in the same run, python3-sgp4 (Debian's) reading the
// same file with its own OMM reader and initialising a Satrec of each row: the counters are
// our best import (best_s), the peer's best of three (peer_python_sgp4_s) and the ratio of the
// two (ratio_to_peer); the peer's are absent when /usr/bin/python3 has no sgp4. Target: under
// 0.5 s.


#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "satellites/ElementSetImport.h"

namespace {

constexpr int kRows = 11000;

// OBJECT_ID, EPOCH, MEAN_MOTION, ECCENTRICITY, INCLINATION, RA_OF_ASC_NODE, ARG_OF_PERICENTER,
// MEAN_ANOMALY, BSTAR, MEAN_MOTION_DOT of published sets (ISS, HST, an eccentric orbit, a polar one).
struct BaseSet {
    const char* id;
    const char* epoch;
    double meanMotion, eccentricity, inclination, node, perigee, anomaly, bstar, ndot;
};
constexpr BaseSet kBases[] = {
    {"1998-067A", "2025-07-20T06:24:56.812607", 15.49967702, 0.0002198, 51.6337, 143.1027, 97.0892, 263.0347, 0.00013592, 7.301e-05},
    {"1990-037B", "2025-07-19T22:52:32.884032", 15.25595744, 0.0002227, 28.4664, 182.7684, 96.9851, 263.0997, 0.00015268, 4.205e-05},
    {"1963-047A", "2025-07-19T22:20:08.573856", 14.10900332, 0.0552456, 30.3562, 55.2038, 190.9152, 167.9012, 0.00017266, 1.514e-05},
    {"1999-068A", "2025-07-20T12:53:46.291776", 14.60736776, 0.0002376, 97.9962, 258.364, 161.3798, 326.8329, 7.3635e-05, 3.14e-06}};

std::string WriteCatalog(const std::filesystem::path& folder) {
    const std::string path = folder / "active.csv";
    std::ofstream out(path);
    out << "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,"
           "MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,"
           "MEAN_MOTION_DOT,MEAN_MOTION_DDOT\n";
    for (int i = 0; i < kRows; ++i) {
        const BaseSet& b = kBases[i % 4];
        const long number = 1 + (long(i) * 90901L) % 999999999L;
        char row[400];
        std::snprintf(row, sizeof row, "\"OBJECT %d\",%s,%s,%.8f,%.7f,%.4f,%.4f,%.4f,%.4f,0,U,%ld,999,%d,%.5g,%.5g,0\n",
                      i, b.id, b.epoch, b.meanMotion, b.eccentricity, b.inclination + (i % 100) * 0.001,
                      std::fmod(b.node + i * 0.7331, 360.0), b.perigee, std::fmod(b.anomaly + i * 13.17, 360.0), number,
                      i % 90000, b.bstar, b.ndot);
        out << row;
    }
    return path;
}

// python3-sgp4's reading of the same file, seconds (best of three); negative when it cannot run.
double PeerSeconds(const std::string& csv) {
    const std::string command =
        "/usr/bin/python3 - '" + csv + "' 2>/dev/null <<'EOF'\n"
        "import sys, time\n"
        "from sgp4 import omm\n"
        "from sgp4.api import Satrec\n"
        "best = 1e9\n"
        "for _ in range(3):\n"
        "    start = time.perf_counter()\n"
        "    with open(sys.argv[1]) as f:\n"
        "        for fields in omm.parse_csv(f):\n"
        "            omm.initialize(Satrec(), fields)\n"
        "    best = min(best, time.perf_counter() - start)\n"
        "print(best)\n"
        "EOF\n";
    double seconds = -1.0;
    return std::sscanf(vsp::bench::PeerOutput(command).c_str(), "%lf", &seconds) == 1 ? seconds : -1.0;
}

void BM_ImportOmmCsv11000(benchmark::State& state) {
    const std::filesystem::path folder = vsp::bench::TempFolder("import-bench");
    const std::string csv = WriteCatalog(folder);
    const vsp::ProgramDir dir(folder / "home");
    vsp::RecordingInfoSink messages;
    double best = 1e9;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        vsp::SatelliteDatabase database(dir, messages);
        std::vector<vsp::ElementSetSourceReport> report;
        if (!vsp::ImportElementSets(database, {csv}, false, messages, report) || database.Count() != kRows)
            state.SkipWithError("the import did not take every row");
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["best_s"] = best;
    const double peer = PeerSeconds(csv);
    if (peer > 0.0) {
        state.counters["peer_python_sgp4_s"] = peer;
        state.counters["ratio_to_peer"] = best / peer;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ImportOmmCsv11000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
