// ComputeMinorBody for 1,000 comets and minor planets at one instant (a chart or the form's
// list computes them all at each redraw), with PyEphem as the peer in the same run:
// scripts/fixtures/minor_orbit_fixtures.py --bench writes the 1,000 (varied from real
// elements), PyEphem's apparent places, and prints PyEphem's time and skyfield's (heliocentric
// two-body only: skyfield's apparent places need an ephemeris file). Counters: the peers'
// seconds, the ratio, and the worst difference from PyEphem's places over the asteroids and
// hyperbolic comets, where PyEphem keeps its elements' precision.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "ephemeris/KeplerOrbit.h"
#include "ephemeris/MinorBodyPosition.h"
#include "ephemeris/Spherical.h"

namespace {

constexpr int kObjects = 1000;

struct PeerObject {
    vsp::MinorBodyElements elements;
    double raHours = 0.0, decDeg = 0.0;
};

struct Peer {
    std::vector<PeerObject> objects;
    vsp::Instant when;
    double pyephemSeconds = NAN, skyfieldSeconds = NAN;
};

PeerObject ObjectOfRow(const std::vector<double>& v, bool comet) {
    // epoch, a|T, M|q, e, i, node, peri, mag1, mag2, jd_ut, delta_t, ra, dec
    PeerObject p;
    vsp::OrbitalElements& o = p.elements.orbit;
    o = {v[0], 0.0, 0.0, v[3], v[4], v[5], v[6]};
    if (comet) {
        p.elements.kind = vsp::MinorBodyKind::Comet;
        o.perihelionJd = v[1];
        o.perihelionDistance = v[2];
    } else {
        o.perihelionDistance = v[1] * (1.0 - v[3]);
        o.perihelionJd = vsp::PerihelionTimeFromMeanAnomaly(v[0], v[1], v[2]);
    }
    p.elements.absoluteMagnitude = v[7];
    p.elements.slope = v[8];
    p.raHours = v[11];
    p.decDeg = v[12];
    return p;
}

const Peer& LoadPeer() {
    static const Peer peer = [] {
        Peer p;
        const std::string dir = "/tmp/vespertar-minor-position-bench";
        const std::string command =
            "/usr/bin/python3 " VESPERTAR_SOURCE_DIR "/scripts/fixtures/minor_orbit_fixtures.py --bench " + dir;
        std::istringstream out(vsp::bench::PeerOutput(command));
        for (std::string line; std::getline(out, line);) {
            int n = 0;
            double seconds = 0.0;
            if (std::sscanf(line.c_str(), "pyephem compute: %d objects, %lf s", &n, &seconds) == 2) p.pyephemSeconds = seconds;
            if (std::sscanf(line.c_str(), "skyfield heliocentric: %d objects, %lf s", &n, &seconds) == 2)
                p.skyfieldSeconds = seconds;
        }
        std::ifstream csv(dir + "/minor_bench.csv");
        std::string row;
        std::getline(csv, row);
        while (std::getline(csv, row)) {
            std::vector<std::string> f;
            std::stringstream s(row);
            for (std::string field; std::getline(s, field, ',');) f.push_back(field);
            std::vector<double> v;
            for (size_t i = 2; i < f.size(); ++i) v.push_back(std::stod(f[i]));
            p.objects.push_back(ObjectOfRow(v, f[1] == "comet"));
            p.when = vsp::Instant::FromUt(v[9], v[10]);
        }
        return p;
    }();
    return peer;
}

void BM_MinorBodies1000(benchmark::State& state) {
    const Peer& peer = LoadPeer();
    if (peer.objects.size() != size_t(kObjects) || std::isnan(peer.pyephemSeconds)) {
        state.SkipWithError("the fixture script did not run (needs python3-ephem and python3-skyfield)");
        return;
    }
    vsp::EphemerisSettings settings;
    std::vector<vsp::MinorBodyPosition> places(peer.objects.size());
    vsp::BodyHorizon horizon;
    for (auto _ : state) {
        for (size_t i = 0; i < peer.objects.size(); ++i)
            benchmark::DoNotOptimize(vsp::ComputeMinorBody(places[i], peer.objects[i].elements, peer.when, settings, &horizon));
    }
    double worst = 0.0;
    for (size_t i = 0; i < peer.objects.size(); ++i) {
        const PeerObject& o = peer.objects[i];
        if (o.elements.kind == vsp::MinorBodyKind::Comet && o.elements.orbit.eccentricity <= 1.0) continue;
        worst = std::max(worst, vsp::AngularSeparation(places[i].raHours, places[i].decDeg, o.raHours, o.decDeg) *
                                    vsp::kArcsecPerRadian);
    }
    state.counters["pyephem_s"] = peer.pyephemSeconds;
    state.counters["skyfield_helio_s"] = peer.skyfieldSeconds;
    state.counters["worst_arcsec"] = worst;
    state.counters["ratio_pyephem_over_ours"] =
        benchmark::Counter(peer.pyephemSeconds * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MinorBodies1000)->Unit(benchmark::kMillisecond);

}  // namespace
