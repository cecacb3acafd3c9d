#pragma once
// What the phase and the eclipse computations share: the mean phase and the fundamental
// arguments of a lunation number k (whole, or with a phase code added).

#include "ephemeris/LunarPhase.h"

namespace vsp {

struct LunarArguments {
    double k = 0, t = 0;  // lunation number and T = k / 1236.85
    double e = 1;         // the eccentricity factor E
    double m = 0, mPrime = 0, f = 0, omega = 0;  // M, M', F, Omega in radians, reduced
};

LunarArguments LunarArgumentsAt(double k);
double LunarMeanPhase(const LunarArguments& a);  // JDE

// The eclipse test of a new (solar) or full (lunar) moon. Returns the type, or kEclipseNone
// without touching the outputs when |sin F| > 0.36. Otherwise `jde` is greatest eclipse and
// gamma, u are set; `details` (lunar only, may be null) gets magnitudes, radii and the contacts
// as JDE offsets from greatest eclipse turned into JDE (the caller moves them to UT).
int LunarEclipseAt(const LunarArguments& a, bool solar, double& jde, double& gamma, double& u,
                   LunarEclipseDetails* details);

}  // namespace vsp
