#pragma once
// What the deep-space branch of SGP4 (SDP4) derives once from the elements of an orbit of
// period 225 minutes or more, and the state of its resonance integrator. Symbols follow
// Spacetrack Report No. 3 and Vallado, Crawford, Hujsak and Kelso, "Revisiting Spacetrack
// Report #3" (AIAA 2006-6753). Angles in radians, rates per minute.

namespace vsp {

// One perturbing body's long-period periodic terms: the coefficients of f2 = sin²f/2 − 1/4, f3
// = −sin f cos f / 2 and sin f (f the body's true anomaly by a first-order equation of the
// centre) in the eccentricity, inclination, mean anomaly, perigee-plus-node and node.
struct LunarSolarPeriodicTerms {
    double e2 = 0.0, e3 = 0.0;
    double i2 = 0.0, i3 = 0.0;
    double l2 = 0.0, l3 = 0.0, l4 = 0.0;
    double gh2 = 0.0, gh3 = 0.0, gh4 = 0.0;
    double h2 = 0.0, h3 = 0.0;
    double anomalyAtEpoch = 0.0;  // the body's mean anomaly
};

enum class DeepSpaceResonance { None, Synchronous, HalfDay };

// The resonance of 24-hour (synchronous) and 12-hour eccentric orbits with the Earth's tesseral
// harmonics: the coefficients of the rates of the resonant mean longitude λ and of the mean
// motion, and the integrator's last step (from the epoch in steps of 720 minutes).
struct ResonanceTerms {
    double del1 = 0.0, del2 = 0.0, del3 = 0.0;  // synchronous
    double d2201 = 0.0, d2211 = 0.0, d3210 = 0.0, d3222 = 0.0,
           d4410 = 0.0;  // half-day
    double d4422 = 0.0, d5220 = 0.0, d5232 = 0.0, d5421 = 0.0, d5433 = 0.0;
    double lambdaAtEpoch = 0.0, lambdaRateOffset = 0.0;  // xlamo, xfact
    double stepTime = 0.0, stepLambda = 0.0,
           stepMeanMotion = 0.0;  // atime, xli, xni
};

struct DeepSpaceTerms {
    LunarSolarPeriodicTerms sun, moon;
    // Lunar-solar secular rates of eccentricity, inclination, mean anomaly, perigee and node.
    double dedt = 0.0, didt = 0.0, dmdt = 0.0, domdt = 0.0, dnodt = 0.0;
    double siderealAtEpoch = 0.0;  // Greenwich mean sidereal angle
    DeepSpaceResonance resonance = DeepSpaceResonance::None;
    ResonanceTerms resonant;
};

}  // namespace vsp
