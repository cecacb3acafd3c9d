// One propagation step of the satellite searches: PropagateSgp4 and ComputeSatelliteQuick (SGP
// and the look angles) per call, on the ISS and on a 12-hour eccentric orbit. With
// -DVESPERTAR_SGP4_PEER_DIR=<Vallado's sgp4 folder> the same SGP4 steps by Vallado's C++ run
// beside them as a peer.

#include <benchmark/benchmark.h>

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

void BM_PropagateSgp4(benchmark::State& state, ElementSet set) {
    vsp::SatelliteElements elements = Convert(set);
    double t = 0.0;
    for (auto _ : state) {
        vsp::PropagateSgp4(elements, NextMinutes(t));
        benchmark::DoNotOptimize(elements.position);
    }
}
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
