#pragma once
// The Galilean moons' phenomena over a span of days: transits across Jupiter's disc, transits
// of their shadows, eclipses in Jupiter's shadow and occultations behind the disc, each start
// and end, from the places and flags of GalileanMoons.h (the moon's centre against the
// flattened disc and the point-Sun shadow). Times are when the Earth sees them (JD UT).
//
// The flags are sampled every 10 minutes and each change bisected to under a second; a
// phenomenon shorter than the step (a grazing transit of Callisto) can be missed.
// Measured over 41 days of 2027 (337 phenomena): within 0.54 minutes of pymeeus (the same
// theory) and 2.05 of astronomy-engine, Ganymede's and Callisto's the farthest. Eclipses and
// shadows are timed by the Earth-Jupiter light time like everything else: pymeeus, which looks
// from the Sun one Sun-Jupiter light time back, gives them up to 8 minutes late near opposition
// and early near conjunction; PyEphem's eclipses and occultations part by up to 21 minutes.

#include <vector>

namespace vsp {

enum class GalileanEventKind {
    kTransitStart,
    kTransitEnd,
    kShadowStart,
    kShadowEnd,
    kEclipseDisappearance,
    kEclipseReappearance,
    kOccultationDisappearance,
    kOccultationReappearance,
};

// "transit_start", "transit_end", "shadow_start", "shadow_end", "eclipse_disappearance",
// "eclipse_reappearance", "occultation_disappearance", "occultation_reappearance".
const char* GalileanEventKindName(GalileanEventKind kind);

struct GalileanEvent {
    int moon = 0;  // 0..3, Io to Callisto
    GalileanEventKind kind = GalileanEventKind::kTransitStart;
    double jdUt = 0.0;
};

// Every phenomenon from jdUt to jdUt + days, in time order; ΔT (seconds) is held through the
// span. A phenomenon under way at jdUt gives only its end.
std::vector<GalileanEvent> FindGalileanEvents(double jdUt, double days, double deltaT);

}  // namespace vsp
