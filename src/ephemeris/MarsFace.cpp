#include "ephemeris/MarsFace.h"

#include <cmath>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/EarthOrientation.h"
#include "ephemeris/LightCorrections.h"
#include "ephemeris/PlanetHeliocentric.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

constexpr int kMars = 4;                    // PlanetHeliocentric's number
constexpr double kDiameterAtUnitAu = 9.36;  // arcsec (Meeus ch. 42)

Vec3 Unit(const Vec3& v) { return (1.0 / Length(v)) * v; }

double AsinDeg(double s) { return std::asin(std::fmax(-1.0, std::fmin(1.0, s))) * kRadToDeg; }

}  // namespace

int MarsFaceAt(const Instant& when, MarsFaceView& out) {
    out = {};
    Vec3 earth, mars, velocity;
    EarthHeliocentric(when, earth.data());
    double tau = 0.0;
    for (int pass = 0; pass < 3; ++pass) {
        if (const int rc = PlanetHeliocentric(when.Later(-tau), kMars, mars.data(), velocity.data()); rc != 0)
            return rc;
        tau = Length(mars - earth) * kLightDaysPerAu;
    }
    const Vec3 geo = mars - earth;
    const Vec3 toEarth = Unit(-1.0 * geo);
    const Vec3 toSun = Unit(-1.0 * mars);

    // The body frame at the time the light left: x on the prime meridian, z the north pole.
    const double T = (when.tt - tau - kJ2000Jd) / kDaysPerJulianCentury;
    const Vec3 pole = RaDecToVector((317.68143 - 0.1061 * T) / 15.0, 52.88650 - 0.0609 * T);
    const Vec3 node = Unit(Cross(Vec3{{0.0, 0.0, 1.0}}, pole));
    const Vec3 q = Cross(pole, node);
    const double w = ReducedRadians(176.630 + 350.89198226 * (when.tt - tau - kJ2000Jd));
    const Vec3 xb = std::cos(w) * node + std::sin(w) * q;
    const Vec3 yb = std::cos(w) * q - std::sin(w) * node;
    out.centralMeridianDeg = ReduceAngle(-std::atan2(Dot(toEarth, yb), Dot(toEarth, xb)) * kRadToDeg, 360.0);
    out.subEarthLatDeg = AsinDeg(Dot(toEarth, pole));
    out.subSolarLatDeg = AsinDeg(Dot(toSun, pole));

    EarthOrientationCache cache;
    auto ofDate = [&](const Vec3& v) {
        return Nutate(when.tt, NutationDirection::kMeanToTrue, Precess(kJ2000Jd, v, when.tt), cache);
    };
    out.positionAngleDeg = PositionAngle(ofDate(geo), ofDate(pole));

    const double r = Length(mars), delta = Length(geo), R = Length(earth);
    const double cosPhase = (r * r + delta * delta - R * R) / (2.0 * r * delta);
    out.phaseAngleDeg = std::acos(std::fmax(-1.0, std::fmin(1.0, cosPhase))) * kRadToDeg;
    out.illuminatedFraction = 0.5 * (1.0 + cosPhase);
    out.diameterArcsec = kDiameterAtUnitAu / delta;
    out.defectArcsec = (1.0 - out.illuminatedFraction) * out.diameterArcsec;
    out.distanceAu = delta;
    return kEphemerisOk;
}

double MarsDistanceFromCentreDeg(const MarsFaceView& face, double lonEastDeg, double latDeg) {
    // The central meridian is a west longitude: the centre lies at east longitude -CM.
    const double lat1 = latDeg * kDegToRad, lat2 = face.subEarthLatDeg * kDegToRad;
    const double dlon = (lonEastDeg + face.centralMeridianDeg) * kDegToRad;
    const double c = std::sin(lat1) * std::sin(lat2) + std::cos(lat1) * std::cos(lat2) * std::cos(dlon);
    return std::acos(std::fmax(-1.0, std::fmin(1.0, c))) * kRadToDeg;
}

}  // namespace vsp
