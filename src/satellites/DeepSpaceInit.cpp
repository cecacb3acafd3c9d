// The deep-space terms of SGP4 derived once at the epoch (Spacetrack Report No. 3, section 10,
// as revised by Vallado, Crawford, Hujsak and Kelso, AIAA 2006-6753): the Sun's and the Moon's
// long-period periodic coefficients and secular rates, and the coefficients of the 12-hour and
// 24-hour resonances. Lunar and solar orbits are the models' own fixed mean ones.

#include <cmath>
#include <numbers>

#include "ephemeris/Constants.h"
#include "satellites/NearEarthModels.h"
#include "satellites/SatelliteConstants.h"
#include "satellites/SatellitePropagation.h"

namespace vsp::sat {
namespace {

constexpr double kJd1950 = 2433281.5;               // 1950 January 0.0, the models' day count
constexpr double kSmallInclination = 5.2359877e-2;  // 3°: the node rates are left out below it
// The tesseral harmonics' strengths of the resonance terms (Earth radii and minutes).
constexpr double kQ22 = 1.7891679e-6, kQ31 = 2.1460748e-6, kQ33 = 2.2123015e-7;
constexpr double kRoot22 = 1.7891679e-6, kRoot32 = 3.7393792e-7, kRoot44 = 7.3636953e-9;
constexpr double kRoot52 = 1.1428639e-7, kRoot54 = 2.1765803e-9;

// One body's orbit as the orbit of the satellite sees it: its argument of perigee and
// inclination on the ecliptic-or-lunar plane, the node of the satellite measured from the
// body's node, and the body's force constant.
struct BodyOrientation {
    double cosG, sinG, cosI, sinI, cosH, sinH;
    double force;  // C1 of the Sun or the Moon
};

// The factors of the disturbing function of one body (s1..s7, z1..z33 of the models).
struct BodyFactors {
    double s1, s2, s3, s4, s5, s6, s7;
    double z1, z2, z3, z11, z12, z13, z21, z22, z23, z31, z32, z33;
};

BodyFactors Factors(const BodyOrientation& b, const SatelliteElements& el) {
    const double cosim = el.cosI0, sinim = el.sinI0;
    const double sinomm = std::sin(el.perigee), cosomm = std::cos(el.perigee);
    const double emsq = el.eccentricity * el.eccentricity, betasq = 1.0 - emsq;
    const double a1 = b.cosG * b.cosH + b.sinG * b.cosI * b.sinH;
    const double a3 = -b.sinG * b.cosH + b.cosG * b.cosI * b.sinH;
    const double a7 = -b.cosG * b.sinH + b.sinG * b.cosI * b.cosH;
    const double a8 = b.sinG * b.sinI;
    const double a9 = b.sinG * b.sinH + b.cosG * b.cosI * b.cosH;
    const double a10 = b.cosG * b.sinI;
    const double a2 = cosim * a7 + sinim * a8, a4 = cosim * a9 + sinim * a10;
    const double a5 = -sinim * a7 + cosim * a8, a6 = -sinim * a9 + cosim * a10;
    const double x1 = a1 * cosomm + a2 * sinomm, x2 = a3 * cosomm + a4 * sinomm;
    const double x3 = -a1 * sinomm + a2 * cosomm, x4 = -a3 * sinomm + a4 * cosomm;
    const double x5 = a5 * sinomm, x6 = a6 * sinomm, x7 = a5 * cosomm, x8 = a6 * cosomm;
    BodyFactors f;
    f.z31 = 12.0 * x1 * x1 - 3.0 * x3 * x3;
    f.z32 = 24.0 * x1 * x2 - 6.0 * x3 * x4;
    f.z33 = 12.0 * x2 * x2 - 3.0 * x4 * x4;
    f.z1 = 2.0 * (3.0 * (a1 * a1 + a2 * a2) + f.z31 * emsq) + betasq * f.z31;
    f.z2 = 2.0 * (6.0 * (a1 * a3 + a2 * a4) + f.z32 * emsq) + betasq * f.z32;
    f.z3 = 2.0 * (3.0 * (a3 * a3 + a4 * a4) + f.z33 * emsq) + betasq * f.z33;
    f.z11 = -6.0 * a1 * a5 + emsq * (-24.0 * x1 * x7 - 6.0 * x3 * x5);
    f.z12 = -6.0 * (a1 * a6 + a3 * a5) + emsq * (-24.0 * (x2 * x7 + x1 * x8) - 6.0 * (x3 * x6 + x4 * x5));
    f.z13 = -6.0 * a3 * a6 + emsq * (-24.0 * x2 * x8 - 6.0 * x4 * x6);
    f.z21 = 6.0 * a2 * a5 + emsq * (24.0 * x1 * x5 - 6.0 * x3 * x7);
    f.z22 = 6.0 * (a4 * a5 + a2 * a6) + emsq * (24.0 * (x2 * x5 + x1 * x6) - 6.0 * (x4 * x7 + x3 * x8));
    f.z23 = 6.0 * a4 * a6 + emsq * (24.0 * x2 * x6 - 6.0 * x4 * x8);
    const double rtemsq = std::sqrt(betasq);
    f.s3 = b.force / el.sgp4.xnodp;
    f.s2 = -0.5 * f.s3 / rtemsq;
    f.s4 = f.s3 * rtemsq;
    f.s1 = -15.0 * el.eccentricity * f.s4;
    f.s5 = x1 * x3 + x2 * x4;
    f.s6 = x2 * x3 + x1 * x4;
    f.s7 = x2 * x4 - x1 * x3;
    return f;
}

LunarSolarPeriodicTerms PeriodicTerms(const BodyFactors& f, double bodyEccentricity, double emsq) {
    LunarSolarPeriodicTerms p;
    p.e2 = 2.0 * f.s1 * f.s6;
    p.e3 = 2.0 * f.s1 * f.s7;
    p.i2 = 2.0 * f.s2 * f.z12;
    p.i3 = 2.0 * f.s2 * (f.z13 - f.z11);
    p.l2 = -2.0 * f.s3 * f.z2;
    p.l3 = -2.0 * f.s3 * (f.z3 - f.z1);
    p.l4 = -2.0 * f.s3 * (-21.0 - 9.0 * emsq) * bodyEccentricity;
    p.gh2 = 2.0 * f.s4 * f.z32;
    p.gh3 = 2.0 * f.s4 * (f.z33 - f.z31);
    p.gh4 = -18.0 * f.s4 * bodyEccentricity;
    p.h2 = -2.0 * f.s2 * f.z22;
    p.h3 = -2.0 * f.s2 * (f.z23 - f.z21);
    return p;
}

// One body's secular rates; the node's is still to be divided by sin i.
struct SecularRates {
    double e, i, m, gh, h;
};

SecularRates Rates(const BodyFactors& f, double bodyMeanMotion, const SatelliteElements& el) {
    const double emsq = el.eccentricity * el.eccentricity;
    SecularRates r;
    r.e = f.s1 * bodyMeanMotion * f.s5;
    r.i = f.s2 * bodyMeanMotion * (f.z11 + f.z13);
    r.m = -bodyMeanMotion * f.s3 * (f.z1 + f.z3 - 14.0 - 6.0 * emsq);
    r.gh = f.s4 * bodyMeanMotion * (f.z31 + f.z33 - 6.0);
    r.h = -bodyMeanMotion * f.s2 * (f.z21 + f.z23);
    if (el.inclination < kSmallInclination || el.inclination > std::numbers::pi - kSmallInclination) r.h = 0.0;
    return r;
}

void SetSecularRates(const SecularRates& sun, const SecularRates& moon, SatelliteElements& el) {
    DeepSpaceTerms& d = el.deep;
    d.dedt = sun.e + moon.e;
    d.didt = sun.i + moon.i;
    d.dmdt = sun.m + moon.m;
    d.dnodt = sun.h + moon.h;
    if (el.sinI0 != 0.0) d.dnodt /= el.sinI0;
    d.domdt = sun.gh + moon.gh - el.cosI0 * d.dnodt;
}

// The Sun on the ecliptic; the Moon on its orbit, whose node on the ecliptic regresses.
void SetLunarSolarTerms(SatelliteElements& el) {
    const double day = el.epochJd - kJd1950 + 18261.5;  // days from 1900 January 0.5
    const double moonNode = std::fmod(4.5236020 - 9.2422029e-4 * day, kTwoPi);
    const double stem = std::sin(moonNode), ctem = std::cos(moonNode);
    const double cosIl = 0.91375164 - 0.03568096 * ctem;
    const double sinIl = std::sqrt(1.0 - cosIl * cosIl);
    const double sinHl = 0.089683511 * stem / sinIl;
    const double cosHl = std::sqrt(1.0 - sinHl * sinHl);
    const double gam = 5.8351514 + 0.0019443680 * day;
    const double zx = gam + std::atan2(0.39785416 * stem / sinIl, cosHl * ctem + 0.91744867 * sinHl * stem) - moonNode;
    const double cosNode = std::cos(el.node), sinNode = std::sin(el.node);
    const BodyOrientation sun{0.1945905, -0.98088458, 0.91744867, 0.39785416, cosNode, sinNode, 2.9864797e-6};
    const BodyOrientation moon{
        std::cos(zx), std::sin(zx), cosIl, sinIl, cosHl * cosNode + sinHl * sinNode, sinNode * cosHl - cosNode * sinHl,
        4.7968065e-7};
    const BodyFactors sunFactors = Factors(sun, el), moonFactors = Factors(moon, el);
    const double emsq = el.eccentricity * el.eccentricity;
    el.deep.sun = PeriodicTerms(sunFactors, kSunEccentricity, emsq);
    el.deep.moon = PeriodicTerms(moonFactors, kMoonEccentricity, emsq);
    el.deep.sun.anomalyAtEpoch = std::fmod(6.2565837 + 0.017201977 * day, kTwoPi);
    el.deep.moon.anomalyAtEpoch = std::fmod(4.7199672 + 0.22997150 * day - gam, kTwoPi);
    SetSecularRates(Rates(sunFactors, kSunMeanMotion, el), Rates(moonFactors, kMoonMeanMotion, el), el);
}

// The eccentricity functions G(e) of the half-day resonance (polynomial fits of the models).
struct HalfDayEccentricity {
    double g201, g211, g310, g322, g410, g422, g520, g521, g532, g533;
};

HalfDayEccentricity HalfDayFunctions(double e) {
    const double e2 = e * e, e3 = e2 * e;
    HalfDayEccentricity g;
    g.g201 = -0.306 - (e - 0.64) * 0.440;
    if (e <= 0.65) {
        g.g211 = 3.616 - 13.2470 * e + 16.2900 * e2;
        g.g310 = -19.302 + 117.3900 * e - 228.4190 * e2 + 156.5910 * e3;
        g.g322 = -18.9068 + 109.7927 * e - 214.6334 * e2 + 146.5816 * e3;
        g.g410 = -41.122 + 242.6940 * e - 471.0940 * e2 + 313.9530 * e3;
        g.g422 = -146.407 + 841.8800 * e - 1629.014 * e2 + 1083.4350 * e3;
        g.g520 = -532.114 + 3017.977 * e - 5740.032 * e2 + 3708.2760 * e3;
    } else {
        g.g211 = -72.099 + 331.819 * e - 508.738 * e2 + 266.724 * e3;
        g.g310 = -346.844 + 1582.851 * e - 2415.925 * e2 + 1246.113 * e3;
        g.g322 = -342.585 + 1554.908 * e - 2366.899 * e2 + 1215.972 * e3;
        g.g410 = -1052.797 + 4758.686 * e - 7193.992 * e2 + 3651.957 * e3;
        g.g422 = -3581.690 + 16178.110 * e - 24462.770 * e2 + 12422.520 * e3;
        g.g520 =
            e > 0.715 ? -5149.66 + 29936.92 * e - 54087.36 * e2 + 31324.56 * e3 : 1464.74 - 4664.75 * e + 3763.64 * e2;
    }
    if (e < 0.7) {
        g.g533 = -919.22770 + 4988.6100 * e - 9064.7700 * e2 + 5542.21 * e3;
        g.g521 = -822.71072 + 4568.6173 * e - 8491.4146 * e2 + 5337.524 * e3;
        g.g532 = -853.66600 + 4690.2500 * e - 8624.7700 * e2 + 5341.4 * e3;
    } else {
        g.g533 = -37995.780 + 161616.52 * e - 229838.20 * e2 + 109377.94 * e3;
        g.g521 = -51752.104 + 218913.95 * e - 309468.16 * e2 + 146349.42 * e3;
        g.g532 = -40023.880 + 170470.89 * e - 242699.48 * e2 + 115605.82 * e3;
    }
    return g;
}

void SetHalfDayTerms(const SatelliteElements& el, double aonv, ResonanceTerms& r) {
    const HalfDayEccentricity g = HalfDayFunctions(el.eccentricity);
    const double c = el.cosI0, s = el.sinI0, c2 = c * c, s2 = s * s;
    const double f220 = 0.75 * (1.0 + 2.0 * c + c2);
    const double f221 = 1.5 * s2;
    const double f321 = 1.875 * s * (1.0 - 2.0 * c - 3.0 * c2);
    const double f322 = -1.875 * s * (1.0 + 2.0 * c - 3.0 * c2);
    const double f441 = 35.0 * s2 * f220;
    const double f442 = 39.3750 * s2 * s2;
    const double f522 = 9.84375 * s * (s2 * (1.0 - 2.0 * c - 5.0 * c2) + 0.33333333 * (-2.0 + 4.0 * c + 6.0 * c2));
    const double f523 = s * (4.92187512 * s2 * (-2.0 - 4.0 * c + 10.0 * c2) + 6.56250012 * (1.0 + 2.0 * c - 3.0 * c2));
    const double f542 = 29.53125 * s * (2.0 - 8.0 * c + c2 * (-12.0 + 8.0 * c + 10.0 * c2));
    const double f543 = 29.53125 * s * (-2.0 - 8.0 * c + c2 * (12.0 + 8.0 * c - 10.0 * c2));
    const double n = el.sgp4.xnodp;
    double temp1 = 3.0 * n * n * aonv * aonv;
    double temp = temp1 * kRoot22;
    r.d2201 = temp * f220 * g.g201;
    r.d2211 = temp * f221 * g.g211;
    temp1 *= aonv;
    temp = temp1 * kRoot32;
    r.d3210 = temp * f321 * g.g310;
    r.d3222 = temp * f322 * g.g322;
    temp1 *= aonv;
    temp = 2.0 * temp1 * kRoot44;
    r.d4410 = temp * f441 * g.g410;
    r.d4422 = temp * f442 * g.g422;
    temp1 *= aonv;
    temp = temp1 * kRoot52;
    r.d5220 = temp * f522 * g.g520;
    r.d5232 = temp * f523 * g.g532;
    temp = 2.0 * temp1 * kRoot54;
    r.d5421 = temp * f542 * g.g521;
    r.d5433 = temp * f543 * g.g533;
}

void SetSynchronousTerms(const SatelliteElements& el, double aonv, ResonanceTerms& r) {
    const double emsq = el.eccentricity * el.eccentricity, c = el.cosI0, s = el.sinI0;
    const double g200 = 1.0 + emsq * (-2.5 + 0.8125 * emsq);
    const double g310 = 1.0 + 2.0 * emsq;
    const double g300 = 1.0 + emsq * (-6.0 + 6.60937 * emsq);
    const double f220 = 0.75 * (1.0 + c) * (1.0 + c);
    const double f311 = 0.9375 * s * s * (1.0 + 3.0 * c) - 0.75 * (1.0 + c);
    const double f330 = 1.875 * (1.0 + c) * (1.0 + c) * (1.0 + c);
    const double n = el.sgp4.xnodp;
    const double del1 = 3.0 * n * n * aonv * aonv;
    r.del2 = 2.0 * del1 * f220 * g200 * kQ22;
    r.del3 = 3.0 * del1 * f330 * g300 * kQ33 * aonv;
    r.del1 = del1 * f311 * g310 * kQ31 * aonv;
}

DeepSpaceResonance FindResonance(const SatelliteElements& el) {
    const double n = el.sgp4.xnodp;
    if (n > 0.0034906585 && n < 0.0052359877) return DeepSpaceResonance::Synchronous;  // 0.8..1.2 rev/day
    if (n >= 8.26e-3 && n <= 9.24e-3 && el.eccentricity >= 0.5) return DeepSpaceResonance::HalfDay;
    return DeepSpaceResonance::None;
}

void SetResonanceTerms(SatelliteElements& el) {
    DeepSpaceTerms& d = el.deep;
    d.resonance = FindResonance(el);
    if (d.resonance == DeepSpaceResonance::None) return;
    const Sgp4Terms& g = el.sgp4;
    ResonanceTerms& r = d.resonant;
    const double aonv = std::pow(g.xnodp / kKe, 2.0 / 3.0);
    const double theta = d.siderealAtEpoch;
    if (d.resonance == DeepSpaceResonance::HalfDay) {
        SetHalfDayTerms(el, aonv, r);
        r.lambdaAtEpoch = std::fmod(el.meanAnomaly + 2.0 * el.node - 2.0 * theta, kTwoPi);
        r.lambdaRateOffset = g.xmdot + d.dmdt + 2.0 * (g.xnodot + d.dnodt - kEarthRotationRadPerMinute) - g.xnodp;
    } else {
        SetSynchronousTerms(el, aonv, r);
        r.lambdaAtEpoch = std::fmod(el.meanAnomaly + el.node + el.perigee - theta, kTwoPi);
        r.lambdaRateOffset =
            g.xmdot + g.omgdot + g.xnodot - kEarthRotationRadPerMinute + d.dmdt + d.domdt + d.dnodt - g.xnodp;
    }
    r.stepTime = 0.0;
    r.stepLambda = r.lambdaAtEpoch;
    r.stepMeanMotion = g.xnodp;
}

}  // namespace

void InitializeDeepSpace(SatelliteElements& el) {
    el.deep = DeepSpaceTerms{};
    el.deep.siderealAtEpoch = SiderealAngle(el.epochJd);
    SetLunarSolarTerms(el);
    SetResonanceTerms(el);
}

}  // namespace vsp::sat
