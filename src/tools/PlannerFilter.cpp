#include "tools/PlannerFilter.h"

#include <cmath>

#include "catalog/CatalogTable.h"
#include "catalog/ObjectTypeTable.h"

namespace vsp {
namespace {

constexpr float kNoMagnitude = 99.0f;
constexpr int16_t kTypeMatchedByGroup = 19;  // "NEBUL"
constexpr double kDifficultyBounds[] = {10.0, 2.0, 1.5, 1.0, 0.5, -1.0};
constexpr double kNoRecommendation = 10000.0;
constexpr double kEyepieceTolerance = 0.6;

// The catalogs whose members the sources pick themselves (their entries carry the object's
// own catalog) and the user's catalog, whose objects keep theirs.
bool CatalogPickedBySource(int catalog) {
    return catalog == kCatalogCaldwell || catalog == kCatalogHerschel || catalog == kCatalogMessier ||
           catalog == kCatalogSac || catalog == kCatalogUser;
}

uint8_t GroupOfType(int type) {
    static const ObjectTypeTable kTypes = DefaultObjectTypeTable();
    return type >= 0 && type < kObjectTypeCount ? kTypes[size_t(type)].group : uint8_t(kGroupOther);
}

int ThresholdDegrees(int visibility, int horizonDeg) {
    if (visibility <= 1 || visibility == kVisibilityNotVisible) return horizonDeg;
    return 15 + 5 * (visibility - 2);
}

bool PassesScope(const SelectionCriteria& criteria, const ScopeAndSky& scope, const Candidate& candidate,
                 float magnitude) {
    const VisibilityEstimate estimate =
        EstimateVisibility({magnitude, candidate.size1, candidate.size2}, scope);
    if (criteria.eyepiece > 0) {
        const double r = estimate.hasRecommendation ? estimate.exitPupilMm / EyepieceReferenceValue(scope)
                                                    : kNoRecommendation;
        if (std::fabs(1.0 - criteria.eyepieceValue / r) > kEyepieceTolerance) return false;
    }
    if (criteria.difficulty > 0 && criteria.difficulty < int(std::size(kDifficultyBounds))) {
        const int level = criteria.difficulty;
        if (estimate.index < kDifficultyBounds[level] || estimate.index > kDifficultyBounds[level - 1]) return false;
    }
    return true;
}

}  // namespace

FilterSetup MakeFilterSetup(const SelectionCriteria& criteria, float eyeLimit, const ScopeAndSky& scope,
                            const PlannerSky& sky, int horizonDeg) {
    FilterSetup setup;
    setup.magnitudeTable = {100.0f, eyeLimit, float(scope.scopeLimit), 4.0f, 6.0f, 8.0f, 10.0f, 12.0f, 14.0f};
    setup.scope = scope;
    setup.sky = sky;
    setup.thresholdSine = SineOfThreshold(ThresholdDegrees(criteria.visibility, horizonDeg));
    return setup;
}

bool PassesCriteria(const SelectionCriteria& criteria, const FilterSetup& setup, const Candidate& candidate) {
    if (criteria.typeGroup > 0 && GroupOfType(candidate.type) != criteria.typeGroup) return false;
    if (criteria.constellation > 0 && candidate.constellation != criteria.constellation - 1) return false;
    if (criteria.catalog > 0 && !CatalogPickedBySource(criteria.catalog) && candidate.catalog != criteria.catalog)
        return false;
    if (criteria.objectType >= 1 && criteria.objectType != kTypeMatchedByGroup &&
        candidate.type != criteria.objectType)
        return false;

    const float magnitude = candidate.magnitude == 0.0f ? kNoMagnitude : candidate.magnitude;
    if (criteria.magnitudeLimit > 0 && criteria.magnitudeLimit < kMagnitudeLimitRows && magnitude >= 0.0f &&
        magnitude > setup.magnitudeTable[size_t(criteria.magnitudeLimit)])
        return false;

    if ((criteria.difficulty > 0 || criteria.eyepiece > 0) && !PassesScope(criteria, setup.scope, candidate, magnitude))
        return false;

    if (criteria.visibility == 0) return true;
    const bool up = SineOfAltitude(setup.sky, candidate.raJ2000, candidate.decJ2000) >= setup.thresholdSine;
    return criteria.visibility == kVisibilityNotVisible ? !up : up;
}

}  // namespace vsp
