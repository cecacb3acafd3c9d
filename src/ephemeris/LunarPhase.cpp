#include "ephemeris/LunarPhase.h"

#include <cmath>
#include <iterator>
#include <limits>

#include "ephemeris/Constants.h"
#include "ephemeris/LunarArguments.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/tables/LunarPhaseTerms.h"

namespace vsp {
namespace {
constexpr double kLunationsPerYear = 12.3685;
constexpr double kLunationsPerCentury = 1236.85;

double Polynomial(const LunarPolynomial& p, double k, double t) {
    return p.constant + p.perLunation * k + t * t * (p.t2 + t * (p.t3 + t * p.t4));
}

// Sum of amplitude E^n sin (or cos) of the term's combination of M, M', F, Omega.
template <size_t N, typename Trig>
double PeriodicSum(const LunarPhaseTerm (&terms)[N], const LunarArguments& a, Trig trig) {
    double sum = 0;
    for (const LunarPhaseTerm& term : terms) {
        const double angle = term.m * a.m + term.mPrime * a.mPrime + term.f * a.f + term.omega * a.omega;
        double value = term.amplitude * trig(angle);
        for (int i = 0; i < term.eccentricityPower; ++i) value *= a.e;
        sum += value;
    }
    return sum;
}

double PlanetaryCorrection(const LunarArguments& a) {
    double sum = 0;
    for (const LunarPlanetaryTerm& term : kLunarPlanetaryTerms) {
        sum += term.amplitude *
               std::sin(ReducedRadians(term.constant + term.perLunation * a.k + term.t2 * a.t * a.t));
    }
    return sum;
}

// The true phase (chapter 49): the mean phase with the periodic and planetary corrections.
double PhaseJde(const LunarArguments& a, double phaseCode) {
    const auto sine = [](double x) { return std::sin(x); };
    const auto cosine = [](double x) { return std::cos(x); };
    double jde = LunarMeanPhase(a) + PlanetaryCorrection(a);
    if (phaseCode == kPhaseNew) {
        jde += PeriodicSum(kLunarNewMoonTerms, a, sine);
    } else if (phaseCode == kPhaseFull) {
        jde += PeriodicSum(kLunarFullMoonTerms, a, sine);
    } else {
        const double w = PeriodicSum(kLunarQuarterW, a, cosine);
        jde += PeriodicSum(kLunarQuarterTerms, a, sine) + (phaseCode < kPhaseFull ? w : -w);
    }
    return jde;
}

double DeltaTDays(double jde, const EphemerisSettings& settings) {
    const CalendarDateTime date = CalendarFromJulianDay(jde);
    return DeltaT(date.year, date.month, date.day, settings) / 86400.0;
}

void MoveDetailsToUt(LunarEclipseDetails& d, double deltaTDays) {
    for (double* contact : {&d.p1, &d.u1, &d.u2, &d.greatest, &d.u3, &d.u4, &d.p4}) {
        *contact -= deltaTDays;  // NaN stays NaN
    }
}

LunarEclipseDetails NoEclipseDetails() {
    const double none = std::numeric_limits<double>::quiet_NaN();
    return {none, none, none, none, none, none, none, 0, 0, 0, 0, 0, 0};
}

}  // namespace

LunarArguments LunarArgumentsAt(double k) {
    LunarArguments a;
    a.k = k;
    a.t = k / kLunationsPerCentury;
    a.e = kLunarEccentricity[0] + a.t * (kLunarEccentricity[1] + a.t * kLunarEccentricity[2]);
    a.m = ReducedRadians(Polynomial(kLunarPhaseArguments[0], k, a.t));
    a.mPrime = ReducedRadians(Polynomial(kLunarPhaseArguments[1], k, a.t));
    a.f = ReducedRadians(Polynomial(kLunarPhaseArguments[2], k, a.t));
    a.omega = ReducedRadians(Polynomial(kLunarPhaseArguments[3], k, a.t));
    return a;
}

double LunarMeanPhase(const LunarArguments& a) { return Polynomial(kLunarMeanPhase, a.k, a.t); }

const char* EclipseTypeName(int type) {
    if (type < 1 || type >= int(std::size(kEclipseTypeNames))) return "";
    return kEclipseTypeNames[type];
}

bool HasContact(double contactJd) { return !std::isnan(contactJd); }

int32_t LunationFromDate(int year, int month, int day) {
    const double lunations = (DecimalYear(year, month, day) - 2000.0) * kLunationsPerYear + 0.5;
    int32_t k0 = int32_t(std::trunc(lunations));
    if (lunations < 0) k0 -= 1;
    return k0;
}

int LunarPhase(double phaseCode, int32_t& lunation, int year, int month, int day, unsigned flags,
               const EphemerisSettings& settings, LunarPhaseResult& out, LunarEclipseDetails* details) {
    if (lunation == 0) lunation = LunationFromDate(year, month, day);
    return LunarPhaseOf(phaseCode, lunation, flags, settings, out, details);
}

int LunarPhaseOf(double phaseCode, int32_t lunation, unsigned flags, const EphemerisSettings& settings,
                 LunarPhaseResult& out, LunarEclipseDetails* details) {
    const LunarArguments a = LunarArgumentsAt(lunation + phaseCode);
    out = LunarPhaseResult{};
    out.jde = PhaseJde(a, phaseCode);

    const bool solar = phaseCode == kPhaseNew;
    const bool lunar = phaseCode == kPhaseFull;
    const bool testEclipse = (flags & kLunarPhaseEclipse) && (solar || lunar);
    LunarEclipseDetails found = NoEclipseDetails();
    if (testEclipse) {
        out.eclipseType = LunarEclipseAt(a, solar, out.jde, out.gamma, out.u, lunar ? &found : nullptr);
    }

    const double deltaT = DeltaTDays(out.jde, settings);
    out.jd = out.jde - deltaT;
    out.ut = CalendarFromJulianDay(out.jd);
    if (testEclipse && lunar && details) {
        MoveDetailsToUt(found, deltaT);
        *details = found;
    }
    return (flags & kLunarPhaseEclipse) ? out.eclipseType : 0;
}

}  // namespace vsp
