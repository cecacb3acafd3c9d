#include "ephemeris/JupiterFace.h"

#include <cmath>

#include "ephemeris/ApparentDiameter.h"
#include "ephemeris/BodyPosition.h"
#include "ephemeris/Constants.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/GalileanMoons.h"
#include "ephemeris/PlanetMagnitude.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

constexpr double kMeeusEpoch = 2433282.5;  // 1950 Jan 1.0
constexpr double kRateI = 877.90003539, kRateII = 870.27003539, kRateIII = 870.5360000;  // degrees/day

// West longitude of the sub-Earth point on a body rotated by `w` (degrees, from the node of
// its equator on the Earth's equator) about `pole`, seen from `fromBody` (a vector from the
// body to the Earth in the same axes).
double CentralMeridian(double w, const Vec3& pole, const Vec3& fromBody) {
    const Vec3 node = Cross(Vec3{{0.0, 0.0, 1.0}}, pole);
    const Vec3 ninety = Cross(pole, node);
    const double earth = std::atan2(Dot(fromBody, ninety), Dot(fromBody, node)) * kRadToDeg;
    return ReduceAngle(w - earth, 360.0);
}

struct MeeusSystems {
    double i = 0.0, ii = 0.0;
};

// Systems I and II about Meeus's pole of date, from the sight line of the JDE `jde`.
MeeusSystems MeeusMeridians(const JupiterSightLine& sight, double jde) {
    const double d = jde - sight.lightTime - kMeeusEpoch;
    const double t = d / kDaysPerJulianCentury;
    const Vec3 pole = RaDecToVector((268.00 + 0.1061 * t) / 15.0, 64.50 - 0.0164 * t);
    const Vec3 fromJupiter = Precess(kJ2000Jd, -1.0 * sight.geocentric, jde);
    return {CentralMeridian(17.710 + kRateI * d, pole, fromJupiter),
            CentralMeridian(16.838 + kRateII * d, pole, fromJupiter)};
}

}  // namespace

int ComputeJupiterFace(const Instant& when, JupiterFace& out) {
    out = JupiterFace{};
    if (!std::isfinite(when.tt)) return kEphemerisUnknownBody;
    if (!IsInEarthEphemerisRange(when)) return kEphemerisOutOfRange;
    const JupiterSightLine sight = SeeJupiter(when);
    const MeeusSystems meeus = MeeusMeridians(sight, when.tt);
    out.centralMeridianI = meeus.i;
    out.centralMeridianII = meeus.ii;
    const Vec3 fromJupiter = -1.0 * sight.geocentric;

    const double dJ2000 = when.tt - sight.lightTime - kJ2000Jd;
    const double tJ2000 = dJ2000 / kDaysPerJulianCentury;
    const Vec3 iauPole = RaDecToVector((268.056595 - 0.006499 * tJ2000) / 15.0, 64.495303 + 0.002413 * tJ2000);
    out.centralMeridianIII = CentralMeridian(284.95 + kRateIII * dJ2000, iauPole, fromJupiter);

    const double delta = Length(sight.geocentric);
    PlanetPhase phase;
    PlanetMagnitude(kBodyJupiter, delta, Length(sight.earthHeliocentric), Length(sight.heliocentric), phase);
    out.phaseAngleDeg = phase.phaseAngle;
    out.diameterArcsec = ApparentDiameter(kBodyJupiter, delta) * 60.0;
    return kEphemerisOk;
}

std::vector<double> SystemIITransits(const Instant& start, double days, double longitudeII) {
    std::vector<double> transits;
    if (!std::isfinite(start.tt) || !(days > 0.0)) return transits;
    const auto offset = [&](double jdUt) {
        const Instant at = Instant::FromUt(jdUt, start.deltaT);
        return ReduceAngleSigned(MeeusMeridians(SeeJupiter(at), at.tt).ii - longitudeII, 360.0);
    };
    // The meridian gains on the feature at the rotation rate less the planet's slow drift;
    // three Newton steps from a guess a fraction of a degree off land within a millisecond.
    double jd = start.ut + ReduceAngle(-offset(start.ut), 360.0) / kRateII;
    while (jd < start.ut + days) {
        for (int i = 0; i < 3; ++i) jd -= offset(jd) / kRateII;
        if (jd >= start.ut && jd < start.ut + days) transits.push_back(jd);
        jd += 360.0 / kRateII;
    }
    return transits;
}

}  // namespace vsp
