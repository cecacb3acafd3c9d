// One propagation step of the satellite searches: PropagateSgp4 and ComputeSatelliteQuick (SGP
// and the look angles) per call, on the ISS and on a 12-hour eccentric orbit. With
// -DVESPERTAR_SGP4_PEER_DIR=<Vallado's sgp4 folder> the same SGP4 steps by Vallado's C++ run
// beside them as a peer. PropagateSdp4 (SGP4 with its deep-space branch) on the 12-hour orbit
// and a geostationary one runs beside python3-sgp4's Satrec.sgp4_tsince on the same sets and
// times, measured in the same run by /usr/bin/python3 (its C++ extension where the installed
// package has one, `accelerated` saying which), with the ratio of the two per call.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "satellites/SatellitePropagation.h"

#ifdef VESPERTAR_SGP4_PEER
#include "sgp4io.h"
#endif

namespace {

struct ElementSet {
    const char *line1, *line2;
};

constexpr ElementSet kIss = {"1 25544U 98067A   25201.26732422  .00007301  00000+0  13592-3 0  9991",
                             "2 25544  51.6337 143.1027 0002198  97.0892 263.0347 15.49967702520293"};
constexpr ElementSet kMolniya = {"1 08195U 75081A   06176.33215444  .00000099  00000-0  11873-3 0   813",
                                 "2 08195  64.1586 279.0717 6877146 264.7651  20.2257  2.00491383225656"};
constexpr ElementSet kGeostationary = {"1 28626U 05008A   06176.46683397 -.00000205  00000-0  10000-3 0  2190",
                                       "2 28626   0.0019 286.9433 0000335  13.7918  55.6504  1.00270176  4891"};

vsp::SatelliteElements Convert(const ElementSet& set) {
    vsp::SatelliteElements elements;
    vsp::ConvertSatelliteRecord({"", set.line1, set.line2}, elements);
    return elements;
}

// Minutes that walk through three days in steps that are not a multiple of the period.
double NextMinutes(double& t) {
    t = t < 4320.0 ? t + 0.37 : 0.0;
    return t;
}

template <void (*Propagate)(vsp::SatelliteElements&, double)>
void RunPropagation(benchmark::State& state, const ElementSet& set) {
    vsp::SatelliteElements elements = Convert(set);
    double t = 0.0;
    for (auto _ : state) {
        Propagate(elements, NextMinutes(t));
        benchmark::DoNotOptimize(elements.position);
    }
}

void BM_PropagateSgp4(benchmark::State& state, ElementSet set) { RunPropagation<vsp::PropagateSgp4>(state, set); }
BENCHMARK_CAPTURE(BM_PropagateSgp4, iss, kIss);
BENCHMARK_CAPTURE(BM_PropagateSgp4, molniya, kMolniya);

void BM_ComputeSatelliteQuick(benchmark::State& state, ElementSet set) {
    vsp::SatelliteElements elements = Convert(set);
    const vsp::SatelliteObserver observer{48.85, 2.35, 0.035};
    double t = 0.0;
    for (auto _ : state) {
        vsp::ComputeSatelliteQuick(elements.epochJd + NextMinutes(t) / 1440.0, observer, elements);
        benchmark::DoNotOptimize(elements.elevationDeg);
    }
}
BENCHMARK_CAPTURE(BM_ComputeSatelliteQuick, iss, kIss);

void BM_PropagateSdp4(benchmark::State& state, ElementSet set) { RunPropagation<vsp::PropagateSdp4>(state, set); }
BENCHMARK_CAPTURE(BM_PropagateSdp4, molniya, kMolniya);
BENCHMARK_CAPTURE(BM_PropagateSdp4, geostationary, kGeostationary);

// python3-sgp4 over the minutes NextMinutes gives, seconds per call; NaN when it cannot run.
constexpr int kPeerCalls = 100000;
constexpr char kPeerScript[] = R"(
import sys, time
from sgp4.api import Satrec, WGS72, accelerated
s = Satrec.twoline2rv(sys.argv[1], sys.argv[2], WGS72)
n = int(sys.argv[3])
t = 0.0
start = time.perf_counter()
for i in range(n):
    t = t + 0.37 if t < 4320.0 else 0.0
    s.sgp4_tsince(t)
print((time.perf_counter() - start) / n, int(accelerated))
)";

struct PeerFigure {
    double secondsPerCall = std::nan("");
    int accelerated = 0;
};

PeerFigure PythonSgp4PerCall(const ElementSet& set) {
    const std::string command = std::string("/usr/bin/python3 -c '") + kPeerScript + "' '" + set.line1 + "' '" +
                                set.line2 + "' " + std::to_string(kPeerCalls);
    PeerFigure figure;
    if (std::sscanf(vsp::bench::PeerOutput(command).c_str(), "%lf %d", &figure.secondsPerCall, &figure.accelerated) != 2)
        figure.secondsPerCall = std::nan("");
    return figure;
}

double Sdp4SecondsPerCall(const ElementSet& set) {
    vsp::SatelliteElements elements = Convert(set);
    double t = 0.0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kPeerCalls; ++i) {
        vsp::PropagateSdp4(elements, NextMinutes(t));
        benchmark::DoNotOptimize(elements.position);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kPeerCalls;
}

// The peer's time per call as the iteration time, with ours measured beside it and the ratio.
void BM_PeerPythonSgp4Sdp4(benchmark::State& state, ElementSet set) {
    const PeerFigure peer = PythonSgp4PerCall(set);
    if (std::isnan(peer.secondsPerCall)) {
        state.SkipWithError("/usr/bin/python3 with python3-sgp4 did not run");
        return;
    }
    const double ours = Sdp4SecondsPerCall(set);
    for (auto _ : state) state.SetIterationTime(peer.secondsPerCall);
    state.counters["ours_ns"] = ours * 1e9;
    state.counters["peer_over_ours"] = peer.secondsPerCall / ours;
    state.counters["accelerated"] = peer.accelerated;
}
BENCHMARK_CAPTURE(BM_PeerPythonSgp4Sdp4, molniya, kMolniya)->UseManualTime()->Iterations(1)->Unit(benchmark::kNanosecond);
BENCHMARK_CAPTURE(BM_PeerPythonSgp4Sdp4, geostationary, kGeostationary)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kNanosecond);

#ifdef VESPERTAR_SGP4_PEER
void BM_PeerValladoSgp4(benchmark::State& state, ElementSet set) {
    char line1[130], line2[130];
    std::snprintf(line1, sizeof line1, "%s", set.line1);
    std::snprintf(line2, sizeof line2, "%s", set.line2);
    elsetrec satrec;
    double start, stop, step;
    twoline2rv(line1, line2, 'c', 'e', 'a', wgs72, start, stop, step, satrec);
    double t = 0.0, r[3], v[3];
    for (auto _ : state) {
        sgp4(wgs72, satrec, NextMinutes(t), r, v);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK_CAPTURE(BM_PeerValladoSgp4, iss, kIss);
BENCHMARK_CAPTURE(BM_PeerValladoSgp4, molniya, kMolniya);
#endif

}  // namespace
