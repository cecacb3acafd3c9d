#include "tools/VisibilityModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vsp {
namespace {

constexpr double kDarkestSky = 22.0;
// Magnitudes of integrated light to spare per index unit: 4 to spare is very easy (2), 1 is
// at the edge of very difficult (0.5).
constexpr double kMagnitudesPerIndex = 2.0;
// How far (mag/arcsec^2) a target's mean surface brightness may fall below the sky and still be
// glimpsed: averaged over its whole extent, a target's bright core is diluted.
constexpr double kSurfaceAllowance = 4.5;
// The image at a given exit pupil grows with the aperture, and the eye's threshold contrast
// falls with image size (Blackwell 1946, as Clark uses it): about a magnitude per arcsec^2 per
// tenfold aperture.
constexpr double kReferenceApertureMm = 100.0;
// The detection optimum shows a target about 3 degrees across, within the useful range of
// exit pupils.
constexpr double kApparentSizeArcmin = 180.0;
constexpr double kWidestPupilMm = 7.0;
constexpr double kNarrowestPupilMm = 0.5;

double SurfaceBrightness(const TargetLight& target) {
    const double minor = target.minorArcmin > 0 ? target.minorArcmin : target.majorArcmin;
    const double areaArcsec2 = std::numbers::pi / 4 * target.majorArcmin * minor * 3600.0;
    return target.magnitude + 2.5 * std::log10(areaArcsec2);
}

}  // namespace

double SkyBrightnessOfEyeLimit(double nakedEyeLimit) {
    const double excess = std::pow(10.0, (7.93 - nakedEyeLimit) / 5.0) - 1.0;
    if (excess <= 0.0) return kDarkestSky;
    return std::min(kDarkestSky, 5.0 * (4.316 - std::log10(excess)));
}

VisibilityEstimate EstimateVisibility(const TargetLight& target, const ScopeAndSky& scope) {
    VisibilityEstimate estimate;
    estimate.index = (scope.scopeLimit - target.magnitude) / kMagnitudesPerIndex;
    if (target.majorArcmin <= 0.0) return estimate;

    const double apertureGain = std::log10(scope.apertureMm / kReferenceApertureMm);
    const double surfaceIndex =
        (scope.skyBrightness + kSurfaceAllowance + apertureGain - SurfaceBrightness(target)) / kMagnitudesPerIndex;
    estimate.index = std::min(estimate.index, surfaceIndex);

    const double magnification = kApparentSizeArcmin / target.majorArcmin;
    estimate.hasRecommendation = true;
    estimate.exitPupilMm = std::clamp(scope.apertureMm / magnification, kNarrowestPupilMm, kWidestPupilMm);
    return estimate;
}

double EyepieceReferenceValue(const ScopeAndSky& scope) { return scope.apertureMm / scope.focalLengthMm; }

}  // namespace vsp
