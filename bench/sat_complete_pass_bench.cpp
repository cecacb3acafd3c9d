// The complete pass search over a day for 11,000 element sets made from real ones
// (scripts/fixtures/synthetic_sets.py), each from its site, with skyfield's find_events as the
// peer in the same run: scripts/fixtures/sat_complete_pass_fixtures.py writes the sets and
// skyfield's passes of the first 1,000 (skyfield takes about 18 ms a set, so the 11,000 would
// take minutes) and prints its time, which is scaled to the 11,000. Counters: skyfield's
// seconds (measured and scaled), the ratio, and on the 1,000: skyfield's passes above 5
// degrees missed by this search and by the form's next-pass walk, and the worst rise, maximum
// and set differences in seconds.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "satellites/CompletePassSearch.h"
#include "satellites/ElementSetText.h"
#include "satellites/SatellitePropagation.h"

namespace {

constexpr int kSets = 11000;
constexpr int kReferenceSets = 1000;
constexpr double kStart = 2460876.5;  // 2025-07-20 0h UT
constexpr double kDays = 1.0;
constexpr double kCountedDeg = 5.0;
// The sites of synthetic_sets.py, taken in turn.
constexpr vsp::SatelliteObserver kSites[] = {{48.85, 2.35, 0.0}, {-33.87, 151.21, 0.0}, {69.65, 18.96, 0.0},
                                             {-0.18, -78.47, 0.0}};

struct ReferencePass {
    int set;
    double rise, max, set_, maxAlt;  // NaN where skyfield's day holds no such event
};

struct Peer {
    std::vector<vsp::SatelliteElements> sets;
    std::vector<ReferencePass> passes;
    double skyfieldSeconds = NAN;
};

double Field(const std::vector<std::string>& fields, size_t i) {
    return i < fields.size() && !fields[i].empty() ? std::stod(fields[i]) : NAN;
}

const Peer& LoadPeer() {
    static const Peer peer = [] {
        Peer p;
        const std::string dir = "/tmp/vespertar-complete-pass-bench";
        const std::string command = "/usr/bin/python3 " VESPERTAR_SOURCE_DIR
                                    "/scripts/fixtures/sat_complete_pass_fixtures.py --no-sky --sets " +
                                    std::to_string(kSets) + " --reference " + std::to_string(kReferenceSets) + " " + dir;
        std::istringstream out(vsp::bench::PeerOutput(command));
        for (std::string line; std::getline(out, line);) {
            int sets = 0, passes = 0;
            double seconds = 0.0;
            if (std::sscanf(line.c_str(), "skyfield find_events: %d sets, %d passes, %lf s", &sets, &passes, &seconds) == 3)
                p.skyfieldSeconds = seconds;
        }
        std::ifstream tle(dir + "/complete_pass_sets.tle");
        std::stringstream text;
        text << tle.rdbuf();
        for (const vsp::SatelliteRecord& record : vsp::ParseElementSets(text.str()).records) {
            p.sets.emplace_back();
            vsp::ConvertSatelliteRecord(record, p.sets.back());
        }
        std::ifstream csv(dir + "/complete_passes.csv");
        std::string row;
        std::getline(csv, row);
        while (std::getline(csv, row)) {
            std::vector<std::string> f;
            std::stringstream s(row);
            for (std::string field; std::getline(s, field, ',');) f.push_back(field);
            p.passes.push_back({std::stoi(f[0]), Field(f, 3), Field(f, 4), Field(f, 5), Field(f, 6)});
        }
        return p;
    }();
    return peer;
}

std::vector<vsp::SatellitePass> PassesOf(const Peer& peer, int k) {
    return vsp::FindAllPasses(peer.sets[size_t(k)], kSites[k % 4], kStart, kStart + kDays);
}

// The form's walk: the next pass from the start, then from where the walk resumes.
std::vector<vsp::PassTimes> WalkedPassesOf(const Peer& peer, int k) {
    std::vector<vsp::PassTimes> found;
    vsp::SatelliteElements elements = peer.sets[size_t(k)];
    vsp::SearchProgress progress;
    double t = kStart;
    vsp::PassTimes pass;
    while (t < kStart + kDays && vsp::FindNextPass(t, kStart + kDays, elements, kSites[k % 4], progress, pass)) {
        found.push_back(pass);
        t = vsp::NextSearchStart(pass, elements, kSites[k % 4]);
    }
    return found;
}

template <class Pass>
bool Covers(const Pass& pass, const ReferencePass& reference) {
    const double at = !std::isnan(reference.max) ? reference.max : !std::isnan(reference.set_) ? reference.set_ : reference.rise;
    return pass.rise <= at && at <= pass.set;
}

struct Comparison {
    int counted = 0, missed = 0, walkMissed = 0;
    double rise = 0.0, max = 0.0, set = 0.0;  // worst, seconds
};

Comparison Compare(const Peer& peer) {
    Comparison c;
    int current = -1;
    std::vector<vsp::SatellitePass> ours;
    std::vector<vsp::PassTimes> walked;
    for (const ReferencePass& r : peer.passes) {
        if (r.set != current) {
            current = r.set;
            ours = PassesOf(peer, current);
            walked = WalkedPassesOf(peer, current);
        }
        if (!(r.maxAlt >= kCountedDeg)) continue;
        ++c.counted;
        const auto match = std::find_if(ours.begin(), ours.end(), [&](const vsp::SatellitePass& p) {
            return Covers(vsp::PassTimes{p.riseJd, p.setJd}, r);
        });
        if (std::none_of(walked.begin(), walked.end(), [&](const vsp::PassTimes& p) { return Covers(p, r); }))
            ++c.walkMissed;
        if (match == ours.end()) {
            ++c.missed;
            continue;
        }
        const auto worst = [](double& worst, double ours, double theirs) {
            if (!std::isnan(theirs)) worst = std::max(worst, std::fabs(ours - theirs) * 86400.0);
        };
        worst(c.rise, match->riseJd, r.rise);
        worst(c.max, match->maxJd, r.max);
        worst(c.set, match->setJd, r.set_);
    }
    return c;
}

void BM_CompletePasses11000(benchmark::State& state) {
    const Peer& peer = LoadPeer();
    if (peer.sets.size() != size_t(kSets) || std::isnan(peer.skyfieldSeconds)) {
        state.SkipWithError("the fixture script did not run (needs python3-skyfield)");
        return;
    }
    size_t passes = 0;
    for (auto _ : state) {
        passes = 0;
        for (int k = 0; k < kSets; ++k) passes += PassesOf(peer, k).size();
    }
    const Comparison c = Compare(peer);
    const double scaled = peer.skyfieldSeconds * kSets / kReferenceSets;
    state.counters["passes"] = double(passes);
    state.counters["skyfield_1000_s"] = peer.skyfieldSeconds;
    state.counters["skyfield_11000_s_scaled"] = scaled;
    state.counters["counted_5deg"] = c.counted;
    state.counters["missed"] = c.missed;
    state.counters["walk_missed"] = c.walkMissed;
    state.counters["worst_rise_s"] = c.rise;
    state.counters["worst_max_s"] = c.max;
    state.counters["worst_set_s"] = c.set;
    state.counters["ratio_skyfield_over_ours"] =
        benchmark::Counter(scaled * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CompletePasses11000)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
