// SGP4 with its deep-space branch (SDP4) for orbits of 225 minutes or more (Spacetrack Report
// No. 3, sections 6 and 10, as revised by Vallado, Crawford, Hujsak and Kelso, "Revisiting
// Spacetrack Report #3", AIAA 2006-6753): near-Earth gravity with first-order drag, the Sun's
// and the Moon's secular and long-period periodic terms, and for 24-hour and eccentric 12-hour
// orbits the resonance with the tesseral harmonics, integrated from the epoch in steps of 720
// minutes; then the near-Earth J3 long-period and J2 short-period terms at the perturbed
// inclination. WGS-72; the terms derived once are in DeepSpaceInit.cpp. Position and velocity
// in the models' true-equator, mean-equinox frame (km, km/s). Measured: within 1.8 m and 3 mm/s
// of python3-sgp4 (Vallado's revision) over the time spans of the verification file's
// deep-space cases, most within 0.1 m.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ephemeris/Constants.h"
#include "satellites/NearEarthModels.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp {
namespace sat {
namespace {

constexpr double kResonanceStep = 720.0;  // minutes
// Past a century from the epoch the integration would take long and mean nothing.
constexpr double kLongestSpanMinutes = kDaysPerJulianCentury * kMinutesPerDay;
// Below this perturbed inclination the periodic node and perigee terms are applied to the
// node-free elements (Lyddane's form), which stay finite as sin i goes to 0.
constexpr double kLyddaneInclination = 0.2;

struct ResonanceRates {
    double lambdaDot, meanMotionDot, meanMotionDdot;
};

ResonanceRates SynchronousRates(const ResonanceTerms& r, double lambda, double meanMotion) {
    constexpr double kFasx2 = 0.13130908, kFasx4 = 2.8843198, kFasx6 = 0.37448087;
    const double lambdaDot = meanMotion + r.lambdaRateOffset;
    const double ndot = r.del1 * std::sin(lambda - kFasx2) + r.del2 * std::sin(2.0 * (lambda - kFasx4)) +
                        r.del3 * std::sin(3.0 * (lambda - kFasx6));
    const double nddot = r.del1 * std::cos(lambda - kFasx2) + 2.0 * r.del2 * std::cos(2.0 * (lambda - kFasx4)) +
                         3.0 * r.del3 * std::cos(3.0 * (lambda - kFasx6));
    return {lambdaDot, ndot, nddot * lambdaDot};
}

ResonanceRates HalfDayRates(const ResonanceTerms& r, double perigee, double lambda, double meanMotion) {
    constexpr double kG22 = 5.7686396, kG32 = 0.95240898, kG44 = 1.8014998, kG52 = 1.0508330, kG54 = 4.4108898;
    const double w = perigee, w2 = 2.0 * perigee, l2 = 2.0 * lambda;
    const double lambdaDot = meanMotion + r.lambdaRateOffset;
    const double ndot = r.d2201 * std::sin(w2 + lambda - kG22) + r.d2211 * std::sin(lambda - kG22) +
                        r.d3210 * std::sin(w + lambda - kG32) + r.d3222 * std::sin(-w + lambda - kG32) +
                        r.d4410 * std::sin(w2 + l2 - kG44) + r.d4422 * std::sin(l2 - kG44) +
                        r.d5220 * std::sin(w + lambda - kG52) + r.d5232 * std::sin(-w + lambda - kG52) +
                        r.d5421 * std::sin(w + l2 - kG54) + r.d5433 * std::sin(-w + l2 - kG54);
    const double nddot = r.d2201 * std::cos(w2 + lambda - kG22) + r.d2211 * std::cos(lambda - kG22) +
                         r.d3210 * std::cos(w + lambda - kG32) + r.d3222 * std::cos(-w + lambda - kG32) +
                         r.d5220 * std::cos(w + lambda - kG52) + r.d5232 * std::cos(-w + lambda - kG52) +
                         2.0 * (r.d4410 * std::cos(w2 + l2 - kG44) + r.d4422 * std::cos(l2 - kG44) +
                                r.d5421 * std::cos(w + l2 - kG54) + r.d5433 * std::cos(-w + l2 - kG54));
    return {lambdaDot, ndot, nddot * lambdaDot};
}

ResonanceRates RatesAtStep(const SatelliteElements& el) {
    const ResonanceTerms& r = el.deep.resonant;
    if (el.deep.resonance == DeepSpaceResonance::Synchronous)
        return SynchronousRates(r, r.stepLambda, r.stepMeanMotion);
    // The half-day terms turn with the near-Earth perigee rate only.
    return HalfDayRates(r, el.perigee + el.sgp4.omgdot * r.stepTime, r.stepLambda, r.stepMeanMotion);
}

// The resonant mean longitude and mean motion at t: the kept step is reused when t lies beyond
// it on the same side of the epoch, so a search moving forward integrates each step once.
void Resonate(SatelliteElements& el, double t, double& lambda, double& meanMotion) {
    ResonanceTerms& r = el.deep.resonant;
    if (r.stepTime == 0.0 || t * r.stepTime <= 0.0 || std::fabs(t) < std::fabs(r.stepTime)) {
        r.stepTime = 0.0;
        r.stepLambda = r.lambdaAtEpoch;
        r.stepMeanMotion = el.sgp4.xnodp;
    }
    const double step = t > 0.0 ? kResonanceStep : -kResonanceStep;
    ResonanceRates rate = RatesAtStep(el);
    while (std::fabs(t - r.stepTime) >= kResonanceStep) {
        const double halfStepSquared = 0.5 * kResonanceStep * kResonanceStep;
        r.stepLambda += rate.lambdaDot * step + rate.meanMotionDot * halfStepSquared;
        r.stepMeanMotion += rate.meanMotionDot * step + rate.meanMotionDdot * halfStepSquared;
        r.stepTime += step;
        rate = RatesAtStep(el);
    }
    const double ft = t - r.stepTime;
    meanMotion = r.stepMeanMotion + rate.meanMotionDot * ft + rate.meanMotionDdot * ft * ft * 0.5;
    lambda = r.stepLambda + rate.lambdaDot * ft + rate.meanMotionDot * ft * ft * 0.5;
}

// The mean elements after the secular terms: near-Earth gravity, first-order drag, the Sun and
// the Moon, the resonance.
struct DeepMeanElements {
    double a, e, inclination, node, perigee, meanAnomaly;
};

DeepMeanElements ApplyDeepSecularTerms(SatelliteElements& el, double t) {
    const Sgp4Terms& g = el.sgp4;
    const DeepSpaceTerms& d = el.deep;
    DeepMeanElements m;
    m.e = el.eccentricity + d.dedt * t;
    m.inclination = el.inclination + d.didt * t;
    m.perigee = el.perigee + (g.omgdot + d.domdt) * t;
    m.node = el.node + (g.xnodot + d.dnodt) * t + g.xnodcf * t * t;
    m.meanAnomaly = el.meanAnomaly + (g.xmdot + d.dmdt) * t;
    double meanMotion = g.xnodp;
    if (d.resonance != DeepSpaceResonance::None) {
        double lambda = 0.0;
        Resonate(el, t, lambda, meanMotion);
        const double theta = std::fmod(d.siderealAtEpoch + t * kEarthRotationRadPerMinute, kTwoPi);
        m.meanAnomaly = d.resonance == DeepSpaceResonance::HalfDay ? lambda - 2.0 * m.node + 2.0 * theta
                                                                   : lambda - m.node - m.perigee + theta;
    }
    const double tempa = 1.0 - g.c1 * t;
    m.a = g.aodp * std::pow(g.xnodp / meanMotion, 2.0 / 3.0) * tempa * tempa;
    m.e = std::max(m.e - el.bstar * g.c4 * t, 1.0e-6);
    m.meanAnomaly += g.xnodp * g.t2cof * t * t;
    m.node = std::fmod(m.node, kTwoPi);
    return m;
}

struct BodyPeriodics {
    double e, i, l, gh, h;
};

BodyPeriodics PeriodicsOf(const LunarSolarPeriodicTerms& b, double meanMotion, double eccentricity, double t) {
    const double zm = b.anomalyAtEpoch + meanMotion * t;
    const double zf = zm + 2.0 * eccentricity * std::sin(zm);
    const double sinzf = std::sin(zf);
    const double f2 = 0.5 * sinzf * sinzf - 0.25;
    const double f3 = -0.5 * sinzf * std::cos(zf);
    return {b.e2 * f2 + b.e3 * f3, b.i2 * f2 + b.i3 * f3, b.l2 * f2 + b.l3 * f3 + b.l4 * sinzf,
            b.gh2 * f2 + b.gh3 * f3 + b.gh4 * sinzf, b.h2 * f2 + b.h3 * f3};
}

// The Sun's and the Moon's long-period periodic terms added to the mean elements.
void ApplyLunarSolarPeriodics(const DeepSpaceTerms& d, double t, DeepMeanElements& m) {
    const BodyPeriodics s = PeriodicsOf(d.sun, kSunMeanMotion, kSunEccentricity, t);
    const BodyPeriodics l = PeriodicsOf(d.moon, kMoonMeanMotion, kMoonEccentricity, t);
    const double pe = s.e + l.e, pinc = s.i + l.i, pl = s.l + l.l, pgh = s.gh + l.gh, ph = s.h + l.h;
    m.e += pe;
    m.inclination += pinc;
    const double sinI = std::sin(m.inclination), cosI = std::cos(m.inclination);
    if (m.inclination >= kLyddaneInclination) {
        m.perigee += pgh - cosI * ph / sinI;
        m.node += ph / sinI;
        m.meanAnomaly += pl;
        return;
    }
    // Lyddane: the node from the turned (sin i sin Ω, sin i cos Ω), the longitude of the
    // satellite kept, the node taken on the branch nearest the unperturbed one.
    const double sinNode = std::sin(m.node), cosNode = std::cos(m.node);
    const double alfdp = sinI * sinNode + ph * cosNode + pinc * cosI * sinNode;
    const double betdp = sinI * cosNode - ph * sinNode + pinc * cosI * cosNode;
    const double longitude = m.meanAnomaly + m.perigee + cosI * m.node + pl + pgh - pinc * m.node * sinI;
    const double oldNode = m.node;
    m.node = std::atan2(alfdp, betdp);
    if (std::fabs(oldNode - m.node) > std::numbers::pi) m.node += m.node < oldNode ? kTwoPi : -kTwoPi;
    m.meanAnomaly += pl;
    m.perigee = longitude - m.meanAnomaly - cosI * m.node;
}

PeriodicCoefficients CoefficientsAt(SinCos inclination) {
    const double c = inclination.cos, c2 = c * c;
    // At 180° the long-period term's 1 + cos i is held off zero.
    const double onePlusCos = std::fabs(c + 1.0) > 1.5e-12 ? 1.0 + c : 1.5e-12;
    return {0.125 * kA3OverK2 * inclination.sin * (3.0 + 5.0 * c) / onePlusCos, 0.25 * kA3OverK2 * inclination.sin,
            3.0 * c2 - 1.0, 1.0 - c2, 7.0 * c2 - 1.0};
}

}  // namespace
}  // namespace sat

using namespace sat;

void PropagateSdp4(SatelliteElements& el, double minutes) {
    if (!el.deepSpace) {
        PropagateSgp4(el, minutes);
        return;
    }
    el.model = SatelliteModel::Sdp4;
    el.minutesSinceEpoch = minutes;
    const double t = std::fabs(minutes) <= kLongestSpanMinutes ? minutes : std::nan("");
    DeepMeanElements m = ApplyDeepSecularTerms(el, t);
    ApplyLunarSolarPeriodics(el.deep, t, m);
    if (m.inclination < 0.0) {
        m.inclination = -m.inclination;
        m.node += std::numbers::pi;
        m.perigee -= std::numbers::pi;
    }
    const SinCos inclination = SinCosOf(m.inclination);
    const MeanOrbit orbit{m.a,
                          m.e,
                          m.node,
                          m.meanAnomaly + m.perigee + m.node,
                          SinCosOf(m.perigee),
                          SinCosOf(m.meanAnomaly + m.perigee),
                          0.0,
                          inclination};
    ApplyPeriodicTerms(orbit, CoefficientsAt(inclination), el);
}

}  // namespace vsp
