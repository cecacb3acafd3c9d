#pragma once
// One target the planner weighs, and the test of the criteria on it, in a fixed order whose
// first failure rejects: type group, constellation, catalog, object type, magnitude,
// difficulty and eyepiece (visibility model), then height above the threshold altitude.

#include <array>
#include <cstdint>

#include "tools/PlannerSky.h"
#include "tools/SelectionCriteria.h"
#include "tools/VisibilityModel.h"

namespace vsp {

struct Candidate {
    int16_t catalog = 0;
    int16_t type = 0;
    int16_t constellation = -1;
    double raJ2000 = 0.0;   // hours
    double decJ2000 = 0.0;  // degrees
    float magnitude = 0.0f;  // exactly 0: none
    float size1 = 0.0f;      // arcminutes
    float size2 = 0.0f;
};

// What the criteria are compared with, made once when a search starts.
struct FilterSetup {
    // By magnitude criterion: no limit, naked eye, telescope, 4 .. 14.
    std::array<float, kMagnitudeLimitRows> magnitudeTable{};
    ScopeAndSky scope;
    PlannerSky sky;
    Unit24 thresholdSine = 0;
};

// The limits of the instant: the naked-eye limit at the zenith and the telescope's.
// `horizonDeg` is the threshold of "Visible" and "Not Visible".
FilterSetup MakeFilterSetup(const SelectionCriteria& criteria, float eyeLimit, const ScopeAndSky& scope,
                            const PlannerSky& sky, int horizonDeg);

bool PassesCriteria(const SelectionCriteria& criteria, const FilterSetup& setup, const Candidate& candidate);

}  // namespace vsp
