#include "ephemeris/SaturnMoons.h"

#include <cmath>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/PlanetGeometry.h"
#include "ephemeris/ReduceAngle.h"
#include "ephemeris/SaturnRings.h"

namespace vsp {
namespace {

constexpr int kSaturn = 6;                 // PlanetHeliocentric's number
constexpr double kRingNodeDeg = 168.8112;  // the B1950 ring plane on the B1950 ecliptic
constexpr double kRingInclinationDeg = 28.0817;
constexpr double kSaturnRadiiPerAu = 2475.0;
// The theory's unit is a radius of about 60420 km (Titan's 1221870 km orbit is 20.216193 of
// them); the places are given in the IAU's equatorial radius, 60268 km.
constexpr double kToIauRadii = 1221870.0 / (20.216193 * 60268.0);
constexpr double kPolarRatio = 0.9;
// Per moon: the light-time factor of the correction across the system (Saturn radii).
constexpr double kLightFactor[kSaturnMoonCount] = {20947, 23715, 26382, 29876, 35313, 53800, 59222};

double Sin(double deg) { return std::sin(deg * kDegToRad); }
double Cos(double deg) { return std::cos(deg * kDegToRad); }
double Atan2Deg(double y, double x) { return std::atan2(y, x) * kRadToDeg; }

// A moon's orbit: longitude in the orbit lambda, inclination gamma and node omega to the ring
// plane, degrees; radius in Saturn radii.
struct Orbit {
    double lambda = 0.0, gamma = 0.0, omega = 0.0, r = 0.0;
};

struct TimeArguments {
    double t1, t2, t3, t4, t5, t7, t10, t11;
    double w0, w1, w2, w3, w4, w5, w6, w7, w8, e1;
};

TimeArguments ArgumentsAt(double jde) {
    TimeArguments a{};
    a.t1 = jde - 2411093.0;
    a.t2 = a.t1 / kDaysPerJulianYear;
    a.t3 = (jde - 2433282.423) / kDaysPerJulianYear + 1950.0;
    a.t4 = jde - 2411368.0;
    a.t5 = a.t4 / kDaysPerJulianYear;
    a.t7 = (jde - 2415020.0) / kDaysPerJulianCentury;
    a.t10 = jde - 2409786.0;
    a.t11 = a.t10 / kDaysPerJulianCentury;
    a.w0 = 5.095 * (a.t3 - 1866.39);
    a.w1 = 74.4 + 32.39 * a.t2;
    a.w2 = 134.3 + 92.62 * a.t2;
    a.w3 = 42.0 - 0.5118 * a.t5;
    a.w4 = 276.59 + 0.5118 * a.t5;
    a.w5 = 267.2635 + 1222.1136 * a.t7;
    a.w6 = 175.4762 + 1221.5515 * a.t7;
    a.w7 = 2.4891 + 0.002435 * a.t7;
    a.w8 = 113.35 - 0.2597 * a.t7;
    a.e1 = 0.05589 - 0.000346 * a.t7;
    return a;
}

// An eccentric orbit inclined to the ecliptic (Rhea, Titan, Iapetus) onto the ring plane.
Orbit Eccentric(double meanLon, double peri, double e, double a, double node, double incl) {
    const double m = (meanLon - peri) * kDegToRad;
    const double e2 = e * e, e3 = e2 * e, e4 = e3 * e, e5 = e4 * e;
    const double c = ((2 * e - 0.25 * e3 + 0.0520833333 * e5) * std::sin(m) +
                      (1.25 * e2 - 0.458333333 * e4) * std::sin(2 * m) +
                      (1.083333333 * e3 - 0.671875 * e5) * std::sin(3 * m) + 1.072917 * e4 * std::sin(4 * m) +
                      1.142708 * e5 * std::sin(5 * m)) * kRadToDeg;
    const double g = node - kRingNodeDeg;
    const double a1 = Sin(incl) * Sin(g);
    const double a2 = Cos(kRingInclinationDeg) * Sin(incl) * Cos(g) - Sin(kRingInclinationDeg) * Cos(incl);
    const double u = Atan2Deg(a1, a2);
    const double h = Cos(kRingInclinationDeg) * Sin(incl) - Sin(kRingInclinationDeg) * Cos(incl) * Cos(g);
    const double psi = Atan2Deg(Sin(kRingInclinationDeg) * Sin(g), h);
    return {meanLon + c + u - g - psi, std::asin(std::fmin(1.0, std::hypot(a1, a2))) * kRadToDeg,
            kRingNodeDeg + u, a * (1 - e2) / (1 + e * Cos(meanLon - peri + c))};
}

// Mimas and Enceladus and Dione: a mean longitude with an equation of the centre.
Orbit Circular(double meanLon, double peri, const double c[3], double a, double e, double gamma, double node) {
    const double m = meanLon - peri;
    const double eq = c[0] * Sin(m) + c[1] * Sin(2 * m) + c[2] * Sin(3 * m);
    return {meanLon + eq, gamma, node, a / (1 + e * Cos(m + eq))};
}

Orbit Mimas(const TimeArguments& t) {
    const double l = 127.64 + 381.994497 * t.t1 - 43.57 * Sin(t.w0) - 0.720 * Sin(3 * t.w0) - 0.02144 * Sin(5 * t.w0);
    static constexpr double c[3] = {2.18287, 0.025988, 0.00043};
    return Circular(l, 106.1 + 365.549 * t.t2, c, 3.06879, 0.01905, 1.563, 54.5 - 365.072 * t.t2);
}

Orbit Enceladus(const TimeArguments& t) {
    const double l = 200.317 + 262.7319002 * t.t1 + 0.25667 * Sin(t.w1) + 0.20883 * Sin(t.w2);
    static constexpr double c[3] = {0.55577, 0.00168, 0.0};
    return Circular(l, 309.107 + 123.44121 * t.t2, c, 3.94118, 0.00485, 0.0262, 348.0 - 151.95 * t.t2);
}

Orbit Tethys(const TimeArguments& t) {
    const double l = 285.306 + 190.69791226 * t.t1 + 2.063 * Sin(t.w0) + 0.03409 * Sin(3 * t.w0) +
                     0.001015 * Sin(5 * t.w0);
    return {l, 1.0976, 111.33 - 72.2441 * t.t2, 4.880998};
}

Orbit Dione(const TimeArguments& t) {
    const double l = 254.712 + 131.53493193 * t.t1 - 0.0215 * Sin(t.w1) - 0.01733 * Sin(t.w2);
    static constexpr double c[3] = {0.24717, 0.00033, 0.0};
    return Circular(l, 174.8 + 30.820 * t.t2, c, 6.24871, 0.002157, 0.0139, 232.0 - 30.27 * t.t2);
}

Orbit Rhea(const TimeArguments& t) {
    const double pp = 342.7 + 10.057 * t.t2;
    const double a1 = 0.000265 * Sin(pp) + 0.001 * Sin(t.w4);
    const double a2 = 0.000265 * Cos(pp) + 0.001 * Cos(t.w4);
    const double n = 345.0 - 10.057 * t.t2;
    const double lon = 359.4727 + 79.69004720 * t.t1 + 0.086754 * Sin(n);
    const double incl = 28.0362 + 0.346898 * Cos(n) + 0.01930 * Cos(t.w3);
    const double node = 168.8494 + 0.73693 * Sin(n) + 0.041 * Sin(t.w3);
    return Eccentric(lon, Atan2Deg(a1, a2), std::hypot(a1, a2), 8.725924, node, incl);
}

Orbit Titan(const TimeArguments& t) {
    const double l = 261.1582 + 22.57697855 * t.t4 + 0.074025 * Sin(t.w3);
    const double ip = 27.45141 + 0.295999 * Cos(t.w3);
    const double np = 168.66925 + 0.628808 * Sin(t.w3);
    const double a1 = Sin(t.w7) * Sin(np - t.w8);
    const double a2 = Cos(t.w7) * Sin(ip) - Sin(t.w7) * Cos(ip) * Cos(np - t.w8);
    constexpr double g0 = 102.8623;
    const double psi = Atan2Deg(a1, a2);
    const double s = std::hypot(a1, a2);
    double g = t.w4 - np - psi, peri = 0.0;
    for (int pass = 0; pass < 3; ++pass) {
        peri = t.w4 + 0.37515 * (Sin(2 * g) - Sin(2 * g0));
        g = peri - np - psi;
    }
    const double ep = 0.029092 + 0.00019048 * (Cos(2 * g) - Cos(2 * g0));
    const double q = 2 * (t.w5 - peri);
    const double b1 = Sin(ip) * Sin(np - t.w8);
    const double b2 = Cos(t.w7) * Sin(ip) * Cos(np - t.w8) - Sin(t.w7) * Cos(ip);
    const double theta = Atan2Deg(b1, b2) + t.w8;
    const double e = ep + 0.002778797 * ep * Cos(q);
    const double p = peri + 0.159215 * Sin(q);
    const double u = 2 * t.w5 - 2 * theta + psi;
    const double h = 0.9375 * ep * ep * Sin(q) + 0.1875 * s * s * Sin(2 * (t.w5 - theta));
    const double lon = l - 0.254744 * (t.e1 * Sin(t.w6) + 0.75 * t.e1 * t.e1 * Sin(2 * t.w6) + h);
    const double incl = ip + 0.031843 * s * Cos(u);
    const double node = np + 0.031843 * s * Sin(u) / Sin(ip);
    return Eccentric(lon, p, e, 20.216193, node, incl);
}

Orbit Iapetus(const TimeArguments& t) {
    const double l = 261.1582 + 22.57697855 * t.t4;
    const double peri1 = 91.796 + 0.562 * t.t7;
    const double psi = 4.367 - 0.195 * t.t7;
    const double theta = 146.819 - 3.198 * t.t7;
    const double phi = 60.470 + 1.521 * t.t7;
    const double bigPhi = 205.055 - 2.091 * t.t7;
    const double ep = 0.028298 + 0.001156 * t.t11;
    const double peri0 = 352.91 + 11.71 * t.t11;
    const double mu = 76.3852 + 4.53795125 * t.t10;
    const double ip = 18.4602 - (0.9518 + (0.072 - 0.0054 * t.t11) * t.t11) * t.t11;
    const double np = 143.198 - (3.919 - (0.116 + 0.008 * t.t11) * t.t11) * t.t11;
    const double ll = mu - peri0;
    const double g = peri0 - np - psi;
    const double g1 = peri0 - np - phi;
    const double ls = t.w5 - peri1;
    const double gs = peri1 - theta;
    const double lt = l - t.w4;
    const double gt = t.w4 - bigPhi;
    const double u1 = 2 * (ll + g - ls - gs);
    const double u2 = ll + g1 - lt - gt;
    const double u3 = ll + 2 * (g - ls - gs);
    const double u4 = lt + gt - g1;
    const double u5 = 2 * (ls + gs);
    const double a = 58.935028 + 0.004638 * Cos(u1) + 0.058222 * Cos(u2);
    const double e = ep - 0.0014097 * Cos(g1 - gt) + 0.0003733 * Cos(u5 - 2 * g) + 0.0001180 * Cos(u3) +
                     0.0002408 * Cos(ll) + 0.0002849 * Cos(ll + u2) + 0.0006190 * Cos(u4);
    const double w = 0.08077 * Sin(g1 - gt) + 0.02139 * Sin(u5 - 2 * g) - 0.00676 * Sin(u3) + 0.01380 * Sin(ll) +
                     0.01632 * Sin(ll + u2) + 0.03547 * Sin(u4);
    const double p = peri0 + w / ep;
    const double lon = mu - 0.04299 * Sin(u2) - 0.00789 * Sin(u1) - 0.06312 * Sin(ls) - 0.00295 * Sin(2 * ls) -
                       0.02231 * Sin(u5) + 0.00650 * Sin(u5 + psi);
    const double incl = ip + 0.04204 * Cos(u5 + psi) + 0.00235 * Cos(ll + g1 + lt + gt + phi) + 0.00360 * Cos(u2 + phi);
    const double wp = 0.04204 * Sin(u5 + psi) + 0.00235 * Sin(ll + g1 + lt + gt + phi) + 0.00358 * Sin(u2 + phi);
    return Eccentric(lon, p, e, a, np + wp / Sin(ip), incl);
}

struct SkyFrame {
    double west, far, north;  // far: away from the Earth
};

// From the ring plane of B1950 into the frame of the sky, before the rotation D that brings
// Saturn's pole onto the northward axis.
SkyFrame ToSky(const Orbit& o, double lambda0, double beta0) {
    const double u = o.lambda - o.omega, w = o.omega - kRingNodeDeg;
    const double x = o.r * (Cos(u) * Cos(w) - Sin(u) * Cos(o.gamma) * Sin(w));
    const double y = o.r * (Sin(u) * Cos(w) * Cos(o.gamma) + Cos(u) * Sin(w));
    const double z = o.r * Sin(u) * Sin(o.gamma);
    const double b1 = Cos(kRingInclinationDeg) * y - Sin(kRingInclinationDeg) * z;
    const double c1 = Sin(kRingInclinationDeg) * y + Cos(kRingInclinationDeg) * z;
    const double a2 = Cos(kRingNodeDeg) * x - Sin(kRingNodeDeg) * b1;
    const double b2 = Sin(kRingNodeDeg) * x + Cos(kRingNodeDeg) * b1;
    const double a3 = a2 * std::sin(lambda0) - b2 * std::cos(lambda0);
    const double b3 = a2 * std::cos(lambda0) + b2 * std::sin(lambda0);
    return {a3, b3 * std::cos(beta0) + c1 * std::sin(beta0), c1 * std::cos(beta0) - b3 * std::sin(beta0)};
}

// A moon as seen along a direction (ecliptic longitude and latitude of B1950, radians) toward
// Saturn: x west-ward and y toward Saturn's projected north pole, in the theory's radii; far
// away from the viewer.
struct SeenFrom {
    double x, y, far;
};

SeenFrom Project(const Orbit& o, double lon, double lat) {
    // The pole (a point at unit distance on Saturn's axis) sets the rotation D.
    const SkyFrame pole = ToSky({90.0, 90.0, 0.0, 1.0}, lon, lat);
    const double d = std::atan2(pole.west, pole.north);
    const SkyFrame s = ToSky(o, lon, lat);
    return {s.west * std::cos(d) - s.north * std::sin(d), s.west * std::sin(d) + s.north * std::cos(d), s.far};
}

bool OnDisc(double x, double y) { return x * x + (y / kPolarRatio) * (y / kPolarRatio) < 1.0; }

}  // namespace

const char* SaturnMoonName(int moon) {
    static constexpr const char* kNames[kSaturnMoonCount] = {"Mimas", "Enceladus", "Tethys", "Dione",
                                                             "Rhea",  "Titan",     "Iapetus"};
    return moon >= 0 && moon < kSaturnMoonCount ? kNames[moon] : "";
}

int SaturnMoonsAt(const Instant& when, SaturnMoonPlaces& out) {
    out = {};
    PlanetGeometry g;
    if (const int rc = PlanetGeometryAt(when, kSaturn, kB1950Jd, g); rc != 0) return rc;
    SaturnRingView ring;
    if (const int rc = SaturnRingsAt(when, ring); rc != 0) return rc;
    const TimeArguments t = ArgumentsAt(when.tt - g.tau);
    const Orbit orbits[kSaturnMoonCount] = {Mimas(t), Enceladus(t), Tethys(t), Dione(t),
                                            Rhea(t),  Titan(t),     Iapetus(t)};
    const double p = ring.positionAngleDeg;
    for (int m = 0; m < kSaturnMoonCount; ++m) {
        const SeenFrom earth = Project(orbits[m], g.lambda, g.beta);
        const SeenFrom sun = Project(orbits[m], g.l, g.b);
        const double r = orbits[m].r;
        const double across = std::sqrt(std::fmax(0.0, 1.0 - (earth.x / r) * (earth.x / r)));
        double x = earth.x + std::fabs(earth.far) / kLightFactor[m] * across;
        const double scale = kToIauRadii * g.delta / (g.delta + earth.far / kSaturnRadiiPerAu);
        x *= scale;
        const double y = earth.y * scale;
        const bool onDisc = OnDisc(x, y);
        SaturnMoonPlace& place = out[m];
        place.x = -x * Cos(p) + y * Sin(p);
        place.y = x * Sin(p) + y * Cos(p);
        place.z = -earth.far * kToIauRadii;
        place.inFront = onDisc && earth.far < 0.0;
        place.occulted = onDisc && earth.far > 0.0;
        const bool onSunwardDisc = OnDisc(sun.x * kToIauRadii, sun.y * kToIauRadii);
        place.eclipsed = onSunwardDisc && sun.far > 0.0;
        place.shadowOnDisc = onSunwardDisc && sun.far < 0.0;
    }
    return kEphemerisOk;
}

}  // namespace vsp
