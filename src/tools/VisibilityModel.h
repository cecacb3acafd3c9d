#pragma once
// How hard a deep-sky target is to see in the user's telescope, and the eyepiece that shows it
// best. A simplified form of R. N. Clark, "Visual Astronomy of the Deep Sky" (Cambridge / Sky
// Publishing, 1990): a target must beat both the telescope's limiting magnitude with its
// integrated light and the sky background with its surface brightness, and the magnification
// that detects it best grows as its size shrinks. The sky background comes from the naked-eye
// limit through B. E. Schaefer, "Telescopic limiting magnitudes", PASP 102, 212 (1990):
// m0 = 7.93 - 5 log10(10^(4.316 - S/5) + 1). docs/planner.md gives the whole model.

namespace vsp {

// Visibility index bands: above 2 very easy, 1.5..2 easy, 1..1.5 difficult, 0.5..1 very
// difficult, below 0.5 out of reach.
struct ScopeAndSky {
    double apertureMm = 200.0;
    double focalLengthMm = 1200.0;
    double scopeLimit = 14.0;     // limiting magnitude of the telescope (point sources)
    double skyBrightness = 21.5;  // magnitudes per square arcsecond
};

struct TargetLight {
    double magnitude = 0.0;
    double majorArcmin = 0.0;  // 0: a point
    double minorArcmin = 0.0;  // 0: as the major axis
};

struct VisibilityEstimate {
    double index = 0.0;
    // The exit pupil (mm) of the magnification that detects the target best; none for a point.
    bool hasRecommendation = false;
    double exitPupilMm = 0.0;
};

// Sky surface brightness (mag/arcsec^2) of a naked-eye limit at the zenith, by inverting
// Schaefer's relation; a limit past the darkest sky gives that sky (22 mag/arcsec^2).
double SkyBrightnessOfEyeLimit(double nakedEyeLimit);

VisibilityEstimate EstimateVisibility(const TargetLight& target, const ScopeAndSky& scope);

// The telescope's reference value the recommended exit pupil is divided by: the aperture
// ratio D / F, so that the quotient is the eyepiece focal length (mm) giving that pupil.
double EyepieceReferenceValue(const ScopeAndSky& scope);

}  // namespace vsp
