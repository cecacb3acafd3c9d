#include "ephemeris/PlanetGeometry.h"

#include <cmath>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/LightCorrections.h"
#include "ephemeris/Matrix.h"
#include "ephemeris/PlanetHeliocentric.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReduceAngle.h"

namespace vsp {
namespace {

// J2000 equatorial vector into the ecliptic of the equinox.
Vec3 ToEcliptic(const Vec3& j2000, double equinoxJde) {
    const double eps = MeanObliquityArcsec((equinoxJde - kJ2000Jd) / kDaysPerJulianCentury) * kArcsecToRad;
    return MatMulVec(RotationAboutX(eps), Precess(kJ2000Jd, j2000, equinoxJde));
}

void Spherical(const Vec3& v, double& lon, double& lat, double& radius) {
    radius = Length(v);
    lon = ReduceAngle(std::atan2(v[1], v[0]), kTwoPi);
    lat = std::atan2(v[2], std::hypot(v[0], v[1]));
}

}  // namespace

int PlanetGeometryAt(const Instant& when, int planet, double equinoxJde, PlanetGeometry& out) {
    out = {};
    Vec3 earth, planetPos, velocity;
    EarthHeliocentric(when, earth.data());
    double tau = 0.0;
    for (int pass = 0; pass < 3; ++pass) {
        if (const int rc = PlanetHeliocentric(when.Later(-tau), planet, planetPos.data(), velocity.data()); rc != 0)
            return rc;
        tau = Length(planetPos - earth) * kLightDaysPerAu;
    }
    const Vec3 helio = ToEcliptic(planetPos, equinoxJde);
    const Vec3 earthEcl = ToEcliptic(earth, equinoxJde);
    Spherical(helio, out.l, out.b, out.r);
    Spherical(helio - earthEcl, out.lambda, out.beta, out.delta);
    double sunLat = 0.0;
    Spherical(-1.0 * earthEcl, out.sunLongitude, sunLat, out.earthDistance);
    out.tau = tau;
    return kEphemerisOk;
}

}  // namespace vsp
