// `minor import` of a whole MPCORB.DAT: 1.4 million minor-planet lines, read a line at a time
// from the file, unpacked, checked, the 65535 brightest kept and written as the minor-planet
// database. The lines are made from real MPCORB lines ((1) Ceres and (2) Pallas, as the Minor
// Planet Center publishes them): each with its own packed number (the five digits, the letter
// forms A0000..z9999 and the tilde form past 619,999), absolute magnitude and mean anomaly.
// Beside it, in the same run, skyfield's reader of the same file
// (skyfield.data.mpc.load_mpcorb_dataframe, pandas): the counters are our best import
// (best_s), the peer's (peer_skyfield_s) and the ratio of the two (ratio_to_peer); the peer's
// are absent when /usr/bin/python3 lacks skyfield or pandas. Target: under 10 s.


#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "platform/InfoSink.h"
#include "solarsystem/MinorBodyImport.h"

namespace {

constexpr long kLines = 1400000;

// Columns 1-7 (packed number) and 9-13 (H) and 27-35 (M) are rewritten per line.
constexpr const char* kBaseLines[] = {
    "00001    3.4   0.15 K205V 162.68631   73.73161   80.28698   10.58862  0.0775571  0.21406009   2.7676569  0 "
    "MPO492748  6751 115 1801-2019 0.60 M-v 30h Williams   0000      (1) Ceres              20190915",
    "00002    4.11  0.15 K221L 272.47992  310.69724  172.91658   34.92531  0.2299930  0.21366046   2.7711069  0 "
    "MPO681823  8875 119 1804-2022 0.58 M-c 28k Pan        0000      (2) Pallas             20220105"};

constexpr char kDigits62[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The Minor Planet Center's packed form of a number below 15,396,336.
std::string PackedNumber(long n) {
    char packed[8];
    if (n < 100000) {
        std::snprintf(packed, sizeof packed, "%05ld", n);
    } else if (n < 620000) {
        std::snprintf(packed, sizeof packed, "%c%04ld", kDigits62[n / 10000], n % 10000);
    } else {
        long rest = n - 620000;
        packed[0] = '~';
        for (int i = 4; i >= 1; --i, rest /= 62) packed[i] = kDigits62[rest % 62];
        packed[5] = '\0';
    }
    return packed;
}

std::string WriteMpcorb(const std::filesystem::path& folder) {
    const std::string path = folder / "MPCORB.DAT";
    std::ofstream out(path);
    out << "MINOR PLANET CENTER ORBIT DATABASE (MPCORB)\n\n"
           "Des'n     H     G   Epoch     M        Peri.      Node       Incl.       e            n           a\n"
           "----------------------------------------------------------------------------------------------------\n";
    for (long i = 0; i < kLines; ++i) {
        std::string line = kBaseLines[i % 2];
        // Ten numbers apart, so that the file reaches the letter and the tilde forms.
        const long number = 1 + i * 10;
        line.replace(0, 7, (PackedNumber(number) + "  ").substr(0, 7));
        char field[16];
        std::snprintf(field, sizeof field, "%5.2f", 3.0 + double(i % 1900) * 0.01);
        line.replace(8, 5, field);
        std::snprintf(field, sizeof field, "%9.5f", std::fmod(162.68631 + double(i) * 0.731, 360.0));
        line.replace(26, 9, field);
        out << line << '\n';
    }
    return path;
}

// skyfield's reading of the same file, seconds; negative when it cannot run.
double PeerSeconds(const std::string& path) {
    const std::string command = "/usr/bin/python3 - '" + path + "' 2>/dev/null <<'EOF'\n"
                                "import sys, time\n"
                                "from skyfield.data import mpc\n"
                                "start = time.perf_counter()\n"
                                "with open(sys.argv[1], 'rb') as f:\n"
                                "    frame = mpc.load_mpcorb_dataframe(f)\n"
                                "print(time.perf_counter() - start, len(frame))\n"
                                "EOF\n";
    double seconds = -1.0;
    long rows = 0;
    // skyfield's reader keeps the header's lines as rows of their own.
    if (std::sscanf(vsp::bench::PeerOutput(command).c_str(), "%lf %ld", &seconds, &rows) != 2 || rows < kLines)
        return -1.0;
    return seconds;
}

void BM_ImportWholeMpcorb(benchmark::State& state) {
    const std::filesystem::path folder = vsp::bench::TempFolder("minor-import-bench");
    const std::string file = WriteMpcorb(folder);
    vsp::ProgramDir dir(folder / "home");
    vsp::RecordingInfoSink messages;
    double best = HUGE_VAL;
    long written = 0;
    for (auto _ : state) {
        vsp::MinorBodyImportReport report;
        const auto start = std::chrono::steady_clock::now();
        if (!vsp::ImportMinorBodies(dir, file, {}, messages, report)) state.SkipWithError("import failed");
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        written = report.written[1];
        if (report.read[1] != kLines || report.rejectCount != 0) state.SkipWithError("lines were lost");
    }
    state.counters["best_s"] = best;
    state.counters["lines"] = double(kLines);
    state.counters["written"] = double(written);
    const double peer = PeerSeconds(file);
    if (peer > 0) {
        state.counters["peer_skyfield_s"] = peer;
        state.counters["ratio_to_peer"] = best / peer;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ImportWholeMpcorb)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

}  // namespace
