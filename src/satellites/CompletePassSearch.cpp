#include "satellites/CompletePassSearch.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "satellites/Brent.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace {

using sat::kMinutesPerDay;

// Between two samples the elevation has at most one maximum: a pass takes a fraction of the
// period, and the far side of the orbit is another. 1/24 of the period (4 minutes for the ISS)
// leaves a wide margin; orbits above a few hours of period are slow enough for 20 minutes.
constexpr double kStepsPerPeriod = 24.0;
constexpr double kMaxStepDays = 20.0 / kMinutesPerDay;
constexpr double kMinLookAsideDays = 1.0;
constexpr double kRootToleranceDays = 1.0e-9;       // 0.1 ms
constexpr double kCulminationTolerance = 1.0e-4;    // relative to the offset from the sample (< 0.1 s)

struct Sample {
    double jd;
    double elevation;
};

class ElevationTrack {
public:
    ElevationTrack(SatelliteElements& elements, const SatelliteObserver& observer, double horizonDeg)
        : elements_(elements), observer_(observer), horizon_(horizonDeg) {}

    // Degrees above the horizon of the options (negative below).
    double Above(double jd) {
        ComputeSatelliteSgp4(jd, observer_, elements_);
        return elements_.elevationDeg - horizon_;
    }

    // The crossing between a (below) and b (above), or b (below) and a (above).
    double Crossing(double a, double b) {
        return a + BrentRoot([&](double x) { return Above(a + x); }, 0.0, b - a, kRootToleranceDays);
    }

    // The highest point between a and b around the sample at `centre`.
    Sample Culmination(double a, double centre, double b) {
        const BrentMinimum best = BrentMinimise([&](double x) { return -Above(centre + x); }, a - centre, b - centre,
                                                kCulminationTolerance);
        return {centre + best.x, -best.value};
    }

private:
    SatelliteElements& elements_;
    const SatelliteObserver& observer_;
    double horizon_;
};

double StepDays(const SatelliteElements& elements) {
    return std::min(elements.periodMin / kMinutesPerDay / kStepsPerPeriod, kMaxStepDays);
}

// The first time, walking from `jd` by `step` (negative: back), when the satellite is below
// the horizon; NaN when it stays up for `limit` days.
double WalkToBelow(ElevationTrack& track, double jd, double step, double limit) {
    for (double walked = 0.0; walked <= limit; walked += std::fabs(step), jd += step)
        if (track.Above(jd) < 0.0) return jd;
    return NAN;
}

std::vector<Sample> SampleTrack(ElevationTrack& track, double from, double to, double step) {
    const int count = static_cast<int>(std::ceil((to - from) / step)) + 1;
    const double spacing = (to - from) / (count - 1);
    std::vector<Sample> samples(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double jd = from + i * spacing;
        samples[size_t(i)] = {jd, track.Above(jd)};
    }
    return samples;
}

// One pass around a culmination: rise and set between the last samples below the horizon on
// either side and the first above (or the culmination).
struct PassAround {
    long riseSample;  // the sample before the rise; -1 when none (still up at the grid's start)
    SatellitePass pass;
};

PassAround PassAt(ElevationTrack& track, const std::vector<Sample>& samples, const Sample& top, double startJd,
                  double endJd) {
    PassAround found{-1, {}};
    SatellitePass& pass = found.pass;
    pass.maxJd = top.jd;
    long before = -1;
    for (long i = 0; i < long(samples.size()) && samples[size_t(i)].jd < top.jd; ++i)
        if (samples[size_t(i)].elevation < 0.0) before = i;
    if (before < 0) {
        pass.riseFound = false;
        pass.riseJd = startJd;
    } else {
        const double next = samples[size_t(before) + 1].jd;
        pass.riseJd = track.Crossing(samples[size_t(before)].jd, std::min(next, top.jd));
    }
    long after = -1;
    for (long i = long(samples.size()) - 1; i >= 0 && samples[size_t(i)].jd > top.jd; --i)
        if (samples[size_t(i)].elevation < 0.0) after = i;
    if (after < 0) {
        pass.setFound = false;
        pass.setJd = endJd;
    } else {
        const double previous = samples[size_t(after) - 1].jd;
        pass.setJd = track.Crossing(samples[size_t(after)].jd, std::max(previous, top.jd));
    }
    found.riseSample = before;
    return found;
}

}  // namespace

std::vector<SatellitePass> FindAllPasses(SatelliteElements elements, const SatelliteObserver& observer, double startJd,
                                         double endJd, const CompletePassOptions& options, SearchProgress* progress) {
    std::vector<SatellitePass> passes;
    if (!(endJd > startJd) || !(elements.periodMin > 0.0)) return passes;
    ElevationTrack track(elements, observer, options.horizonDeg);
    const double step = StepDays(elements);
    const double lookAside = std::max(kMinLookAsideDays, elements.periodMin / kMinutesPerDay);
    // A pass under way at either end is followed out of the window to its rise or set.
    double from = startJd, to = endJd;
    if (track.Above(startJd) >= 0.0) {
        const double below = WalkToBelow(track, startJd, -step, lookAside);
        if (!std::isnan(below)) from = below;
    }
    if (track.Above(endJd) >= 0.0) {
        const double below = WalkToBelow(track, endJd, step, lookAside);
        if (!std::isnan(below)) to = below;
    }
    // One sample beyond each end, so that a maximum next to either end is a maximum of the samples.
    const std::vector<Sample> samples = SampleTrack(track, from - step, to + step, step);
    std::map<long, SatellitePass> byRise;
    for (size_t i = 1; i + 1 < samples.size(); ++i) {
        if (!(samples[i].elevation > samples[i - 1].elevation && samples[i].elevation >= samples[i + 1].elevation))
            continue;
        const Sample top = track.Culmination(samples[i - 1].jd, samples[i].jd, samples[i + 1].jd);
        if (!(top.elevation > 0.0)) continue;
        if (progress && progress->Poll()) break;
        PassAround around = PassAt(track, samples, top, startJd, endJd);
        around.pass.maxElevationDeg = top.elevation + options.horizonDeg;
        auto [it, inserted] = byRise.try_emplace(around.riseSample, around.pass);
        if (!inserted && around.pass.maxElevationDeg > it->second.maxElevationDeg) it->second = around.pass;
    }
    for (const auto& [sample, pass] : byRise) {
        if (pass.setJd < startJd || pass.riseJd > endJd || pass.maxElevationDeg < options.minElevationDeg) continue;
        passes.push_back(pass);
    }
    return passes;
}

}  // namespace vsp
