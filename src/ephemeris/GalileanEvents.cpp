#include "ephemeris/GalileanEvents.h"

#include <algorithm>
#include <array>

#include "ephemeris/GalileanMoons.h"
#include "ephemeris/Instant.h"

namespace vsp {
namespace {

constexpr double kStepDays = 10.0 / 1440.0;
constexpr int kBisections = 11;  // 10 minutes / 2^11: 0.3 s

// The four states a phenomenon is the start (true) or end of, in GalileanEventKind's order.
constexpr int kStateCount = 4;
using MoonStates = std::array<std::array<bool, kStateCount>, kGalileanMoonCount>;

MoonStates StatesAt(double jdUt, double deltaT) {
    GalileanSystem system;
    ComputeGalileanSystem(Instant::FromUt(jdUt, deltaT), system);
    MoonStates s{};
    for (int m = 0; m < kGalileanMoonCount; ++m) {
        const GalileanMoonPlace& p = system.moons[m];
        s[m] = {p.transiting, p.shadowOnDisc, p.eclipsed, p.occulted};
    }
    return s;
}

}  // namespace

const char* GalileanEventKindName(GalileanEventKind kind) {
    switch (kind) {
    case GalileanEventKind::kTransitStart: return "transit_start";
    case GalileanEventKind::kTransitEnd: return "transit_end";
    case GalileanEventKind::kShadowStart: return "shadow_start";
    case GalileanEventKind::kShadowEnd: return "shadow_end";
    case GalileanEventKind::kEclipseDisappearance: return "eclipse_disappearance";
    case GalileanEventKind::kEclipseReappearance: return "eclipse_reappearance";
    case GalileanEventKind::kOccultationDisappearance: return "occultation_disappearance";
    case GalileanEventKind::kOccultationReappearance: return "occultation_reappearance";
    }
    return "";
}

std::vector<GalileanEvent> FindGalileanEvents(double jdUt, double days, double deltaT) {
    std::vector<GalileanEvent> events;
    if (!(days > 0.0)) return events;
    const int steps = static_cast<int>(days / kStepDays + 0.5);
    MoonStates before = StatesAt(jdUt, deltaT);
    for (int i = 1; i <= steps; ++i) {
        const double hi = jdUt + i * kStepDays;
        const MoonStates after = StatesAt(hi, deltaT);
        for (int m = 0; m < kGalileanMoonCount; ++m) {
            for (int f = 0; f < kStateCount; ++f) {
                if (before[m][f] == after[m][f]) continue;
                const bool starts = after[m][f];
                double a = hi - kStepDays, b = hi;
                for (int k = 0; k < kBisections; ++k) {
                    const double mid = 0.5 * (a + b);
                    (StatesAt(mid, deltaT)[m][f] == starts ? b : a) = mid;
                }
                events.push_back({m, static_cast<GalileanEventKind>(2 * f + (starts ? 0 : 1)), 0.5 * (a + b)});
            }
        }
        before = after;
    }
    std::sort(events.begin(), events.end(),
              [](const GalileanEvent& x, const GalileanEvent& y) { return x.jdUt < y.jdUt; });
    return events;
}

}  // namespace vsp
