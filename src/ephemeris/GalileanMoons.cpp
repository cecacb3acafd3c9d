#include "ephemeris/GalileanMoons.h"

#include <cmath>
#include <iterator>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/Constants.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/LightCorrections.h"
#include "ephemeris/PlanetHeliocentric.h"
#include "ephemeris/Precession.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/Vec3.h"
#include "ephemeris/tables/GalileanTerms.h"

namespace vsp {
namespace {

constexpr int kJupiterPlanet = 5;
// Meeus's mean distances are in radii of 71398 km; the program's radius is the IAU one.
constexpr double kTheoryRadiusKm = 71398.0;
constexpr double kRadiiPerAu = kKmPerAu / kJupiterEquatorialRadiusKm;
constexpr double kMeanDistance[kGalileanMoonCount] = {5.90569, 9.39657, 14.98832, 26.36273};

double SinDeg(double deg) { return std::sin(deg * kDegToRad); }
double CosDeg(double deg) { return std::cos(deg * kDegToRad); }

template <std::size_t N>
double SumTerms(const GalileanTerm (&terms)[N], const double* q, double (*fn)(double)) {
    double sum = 0.0;
    for (const GalileanTerm& t : terms) {
        double arg = t.constantDeg;
        for (const GalileanTerm::Factor& f : t.factors) arg += f.multiplier * q[f.angle];
        sum += t.amplitude * fn(arg);
    }
    return sum;
}

// The theory's angles (degrees) at t days from 1976 Aug 10 0h TT, with the light time taken off.
void MeanAngles(double t, double* q) {
    q[kl1] = 106.07719 + 203.488955790 * t;
    q[kl2] = 175.73161 + 101.374724735 * t;
    q[kl3] = 120.55883 + 50.317609207 * t;
    q[kl4] = 84.44459 + 21.571071177 * t;
    q[kPi1] = 97.0881 + 0.16138586 * t;
    q[kPi2] = 154.8663 + 0.04726307 * t;
    q[kPi3] = 188.1840 + 0.00712734 * t;
    q[kPi4] = 335.2868 + 0.00184000 * t;
    q[kOm1] = 312.3346 - 0.13279386 * t;
    q[kOm2] = 100.4411 - 0.03263064 * t;
    q[kOm3] = 119.1942 - 0.00717703 * t;
    q[kOm4] = 322.6186 - 0.00175934 * t;
    q[kPhiLambda] = 199.6766 + 0.17379190 * t;
    q[kPsi] = 316.5182 - 0.00000208 * t;
    q[kPerihelion] = 13.469942;
    const double gamma = 0.33033 * SinDeg(163.679 + 0.0010512 * t) + 0.03439 * SinDeg(34.486 - 0.0161731 * t);
    q[kG] = 30.23756 + 0.0830925701 * t + gamma;
    q[kGSaturn] = 31.97853 + 0.0334597339 * t;
}

// A vector turned by `angle` radians about the x or the z axis (counterclockwise seen from +x
// or +z).
Vec3 TurnAboutX(const Vec3& v, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {{v[0], v[1] * c - v[2] * s, v[1] * s + v[2] * c}};
}
Vec3 TurnAboutZ(const Vec3& v, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {{v[0] * c - v[1] * s, v[0] * s + v[1] * c, v[2]}};
}

// From axes along Jupiter's equator (x toward the node psi of its equator on its orbit) to the
// Earth's mean equator of date: through Jupiter's orbit and the ecliptic of date (Meeus 44).
struct JovianAxes {
    double equatorTilt = 0.0, nodeToPsi = 0.0, orbitTilt = 0.0, node = 0.0, obliquity = 0.0;  // radians

    JovianAxes(double jde, double psiDeg) {
        const double tau1900 = (jde - 2415020.5) / kDaysPerJulianCentury;
        const double T = (jde - kJ2000Jd) / kDaysPerJulianCentury;
        equatorTilt = (3.120262 + 0.0006 * tau1900) * kDegToRad;
        node = (100.464407 + T * (1.0209774 + T * (0.00040315 + T * 0.000000404))) * kDegToRad;
        orbitTilt = (1.303267 + T * (-0.0054965 + T * (0.00000466 - T * 0.000000002))) * kDegToRad;
        obliquity = MeanObliquityArcsec(T) * kArcsecToRad;
        nodeToPsi = psiDeg * kDegToRad - node;
    }
    Vec3 ToEquatorOfDate(const Vec3& v) const {
        const Vec3 onOrbit = TurnAboutZ(TurnAboutX(v, equatorTilt), nodeToPsi);
        return TurnAboutX(TurnAboutZ(TurnAboutX(onOrbit, orbitTilt), node), obliquity);
    }
};

// The four moons and Jupiter's north pole (index 4, a unit vector) about the planet at the
// JDE `jde` (already at Jupiter's time), mean equator and equinox of date, program radii.
std::array<Vec3, kGalileanMoonCount + 1> Jovicentric(double jde) {
    double q[kGalileanAngleCount] = {};
    MeanAngles(jde - 2443000.5, q);
    const double longitudeSums[] = {SumTerms(kLongitudeTerms1, q, SinDeg), SumTerms(kLongitudeTerms2, q, SinDeg),
                                    SumTerms(kLongitudeTerms3, q, SinDeg), SumTerms(kLongitudeTerms4, q, SinDeg)};
    for (int m = 0; m < kGalileanMoonCount; ++m) {
        q[kS1 + m] = longitudeSums[m];
        q[kL1 + m] = q[kl1 + m] + longitudeSums[m];
    }
    const double tanLatitudes[] = {SumTerms(kLatitudeTerms1, q, SinDeg), SumTerms(kLatitudeTerms2, q, SinDeg),
                                   SumTerms(kLatitudeTerms3, q, SinDeg), SumTerms(kLatitudeTerms4, q, SinDeg)};
    const double radiusSums[] = {SumTerms(kRadiusTerms1, q, CosDeg), SumTerms(kRadiusTerms2, q, CosDeg),
                                 SumTerms(kRadiusTerms3, q, CosDeg), SumTerms(kRadiusTerms4, q, CosDeg)};

    // Precession in longitude from B1950, which the longitudes and psi are counted from.
    const double t1950 = (jde - 2433282.423) / kDaysPerJulianCentury;
    const double precession = 1.3966626 * t1950 + 0.0003088 * t1950 * t1950;
    const double psi = q[kPsi] + precession;
    const JovianAxes axes(jde, psi);

    std::array<Vec3, kGalileanMoonCount + 1> out;
    for (int m = 0; m < kGalileanMoonCount; ++m) {
        const double r = kMeanDistance[m] * (1.0 + radiusSums[m]) * kTheoryRadiusKm / kJupiterEquatorialRadiusKm;
        const double b = std::atan(tanLatitudes[m]);
        const double l = (q[kL1 + m] + precession - psi) * kDegToRad;
        out[m] = axes.ToEquatorOfDate({{r * std::cos(l) * std::cos(b), r * std::sin(l) * std::cos(b), r * std::sin(b)}});
    }
    out[kGalileanMoonCount] = axes.ToEquatorOfDate({{0.0, 0.0, 1.0}});
    return out;
}

Vec3 Unit(const Vec3& v) { return (1.0 / Length(v)) * v; }

// The sky seen along `line` (a unit vector from the viewer to Jupiter): east, north, and the
// line itself.
struct View {
    Vec3 east, north, line;
    double axisAngle = 0.0;  // position angle of the projected pole, radians
    double discRatio = 1.0;  // the disc's projected polar / equatorial radius
};

View ViewAlong(const Vec3& line, const Vec3& pole) {
    View v;
    v.line = line;
    v.east = Unit(Cross(Vec3{{0.0, 0.0, 1.0}}, line));
    v.north = Cross(line, v.east);
    v.axisAngle = std::atan2(Dot(pole, v.east), Dot(pole, v.north));
    const double sinTilt = Dot(pole, line);
    v.discRatio = std::sqrt(kJupiterPolarRatio * kJupiterPolarRatio * (1.0 - sinTilt * sinTilt) + sinTilt * sinTilt);
    return v;
}

// Whether a point at (east, north) on a view's sky lies inside the disc.
bool OnDisc(const View& v, double east, double north) {
    const double c = std::cos(v.axisAngle), s = std::sin(v.axisAngle);
    const double alongEquator = east * c - north * s;
    const double alongAxis = (east * s + north * c) / v.discRatio;
    return alongEquator * alongEquator + alongAxis * alongAxis < 1.0;
}

// Where the sunlight past a moon at `moon` meets the spheroid (radii), or the moon itself when
// it misses: the surface is a unit sphere once the polar axis is stretched by 1 / 0.935.
Vec3 ShadowPoint(const Vec3& moon, const Vec3& sunlight, const Vec3& pole) {
    const double stretch = 1.0 / kJupiterPolarRatio - 1.0;
    const auto toSphere = [&](const Vec3& v) { return v + (stretch * Dot(v, pole)) * pole; };
    const Vec3 p = toSphere(moon), d = toSphere(sunlight);
    const double a = Dot(d, d), b = 2.0 * Dot(p, d), c = Dot(p, p) - 1.0;
    const double disc = b * b - 4.0 * a * c;
    if (disc < 0.0) return moon;
    return moon + ((-b - std::sqrt(disc)) / (2.0 * a)) * sunlight;
}

// One moon at `moon` (radii about Jupiter, equator of date) as the Earth and the Sun see it;
// `distance` is the Earth's from Jupiter, AU.
GalileanMoonPlace PlaceOf(const Vec3& moon, const View& earth, const View& sun, const Vec3& pole, double distance) {
    GalileanMoonPlace p;
    p.z = Dot(moon, earth.line);
    const double perspective = distance / (distance + p.z / kRadiiPerAu);
    p.x = Dot(moon, earth.east) * perspective;
    p.y = Dot(moon, earth.north) * perspective;
    p.inFront = p.z < 0.0;
    const bool onDisc = OnDisc(earth, p.x, p.y);
    p.transiting = p.inFront && onDisc;
    p.occulted = !p.inFront && onDisc;

    const double sunDepth = Dot(moon, sun.line);
    const bool inSunDisc = OnDisc(sun, Dot(moon, sun.east), Dot(moon, sun.north));
    p.eclipsed = sunDepth > 0.0 && inSunDisc;
    p.shadowOnDisc = sunDepth < 0.0 && inSunDisc;
    if (p.shadowOnDisc) {
        const Vec3 shadow = ShadowPoint(moon, sun.line, pole);
        p.shadowX = Dot(shadow, earth.east);
        p.shadowY = Dot(shadow, earth.north);
    }
    return p;
}

}  // namespace

const char* GalileanMoonName(int moon) {
    static const char* const kNames[] = {"Io", "Europa", "Ganymede", "Callisto"};
    return moon >= 0 && moon < kGalileanMoonCount ? kNames[moon] : "";
}

JupiterSightLine SeeJupiter(const Instant& when) {
    JupiterSightLine s;
    EarthHeliocentric(when, s.earthHeliocentric.data());
    Vec3 velocity;
    for (int i = 0; i < 3; ++i) {
        PlanetHeliocentric(when.Later(-s.lightTime), kJupiterPlanet, s.heliocentric.data(), velocity.data());
        s.geocentric = s.heliocentric - s.earthHeliocentric;
        s.lightTime = Length(s.geocentric) * kLightDaysPerAu;
    }
    return s;
}

int ComputeGalileanSystem(const Instant& when, GalileanSystem& out) {
    out = GalileanSystem{};
    if (!std::isfinite(when.tt)) return kEphemerisUnknownBody;
    if (!IsInEarthEphemerisRange(when)) return kEphemerisOutOfRange;
    const JupiterSightLine sight = SeeJupiter(when);
    const double distance = Length(sight.geocentric);
    const double atJupiter = when.tt - sight.lightTime;
    const std::array<Vec3, kGalileanMoonCount + 1> system = Jovicentric(atJupiter);
    const Vec3& pole = system[kGalileanMoonCount];
    const View earthView = ViewAlong(Unit(Precess(kJ2000Jd, sight.geocentric, when.tt)), pole);
    const View sunView = ViewAlong(Unit(Precess(kJ2000Jd, sight.heliocentric, when.tt)), pole);

    out.distanceAu = distance;
    out.axisPositionAngleDeg = ReduceAngle(earthView.axisAngle * kRadToDeg, 360.0);
    out.earthLatitudeDeg = -std::asin(Dot(pole, earthView.line)) * kRadToDeg;
    for (int m = 0; m < kGalileanMoonCount; ++m) {
        // The moon as the light now arriving left it: earlier when beyond the planet.
        const double depth = Dot(system[m], earthView.line);
        const Vec3 moon = Jovicentric(atJupiter - depth / kRadiiPerAu * kLightDaysPerAu)[m];
        out.moons[m] = PlaceOf(moon, earthView, sunView, pole, distance);
    }
    return kEphemerisOk;
}

SkyOffset InView(SkyOffset sky, EyepieceView view) {
    switch (view) {
    case EyepieceView::kInverted: return {-sky.x, -sky.y};
    case EyepieceView::kMirrored: return {-sky.x, sky.y};
    case EyepieceView::kErect: break;
    }
    return sky;
}

}  // namespace vsp
