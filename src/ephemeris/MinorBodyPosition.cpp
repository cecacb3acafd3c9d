#include "ephemeris/MinorBodyPosition.h"

#include <cmath>
#include <limits>

#include "ephemeris/ChartModePlace.h"
#include "ephemeris/Constants.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/LightCorrections.h"
#include "ephemeris/ReductionState.h"
#include "ephemeris/Vec3.h"
#include "ephemeris/Spherical.h"
#include "ephemeris/Vec3.h"

namespace vsp {
namespace {

constexpr double kMotionInterval = 1.0 / 24.0;  // days: the difference that gives the motion (an hour)
// The H, G phase functions (Bowell et al. 1989): Phi_i = exp(-A_i tan(beta/2)^B_i).
constexpr double kPhaseA1 = 3.33, kPhaseB1 = 0.63;
constexpr double kPhaseA2 = 1.87, kPhaseB2 = 1.22;

struct EclipticRotation {
    double c, s;
};
const EclipticRotation& J2000Obliquity() {
    static const EclipticRotation r{std::cos(kJ2000ObliquityArcsec * kArcsecToRad),
                                    std::sin(kJ2000ObliquityArcsec * kArcsecToRad)};
    return r;
}

// J2000 ecliptic to J2000 equator, in place.
void EclipticToEquator(double v[3]) {
    const EclipticRotation& e = J2000Obliquity();
    const double y = v[1], z = v[2];
    v[1] = e.c * y - e.s * z;
    v[2] = e.s * y + e.c * z;
}

// What every body seen at one instant shares: the Earth (barycentric, and heliocentric now and
// an hour on), the Sun's wobble and the Earth's orientation. A chart or a list computes a
// thousand bodies for one instant; built once per instant per thread, this is most of the work.
struct InstantContext {
    double tt = std::numeric_limits<double>::quiet_NaN(), ut = tt;
    Vec3 earth, earthVelocity;
    Vec3 earthHelio, earthHelioLater;
    Vec3 sun, sunVelocity;
    ReductionState reduction;  // nutation and the precession-nutation matrix of the date
};

const InstantContext& ContextAt(const Instant& when) {
    thread_local InstantContext c;
    if (c.tt == when.tt && c.ut == when.ut) return c;
    c = InstantContext{};
    EarthBarycentric(when, c.earth.data(), c.earthVelocity.data());
    EarthHeliocentric(when, c.earthHelio.data());
    EarthHeliocentric(when.Later(kMotionInterval), c.earthHelioLater.data());
    SunBarycentric(when, c.sun.data(), c.sunVelocity.data());
    PrecessionNutationMatrix(when.tt, c.reduction);
    c.tt = when.tt;
    c.ut = when.ut;
    return c;
}

// The body's heliocentric state (J2000 equator) at the last time the reduction asked for.
struct HeliocentricState {
    Vec3 position, velocity;
};

// The body about the barycentre, J2000 equator: the form the apparent-place reduction reads;
// `last` keeps the heliocentric state. The Sun's wobble is carried linearly from the instant
// over the light time: its acceleration (1e-8 AU/day^2) moves it 1e-10 AU in the light time
// from 20 AU.
int MinorBarycentric(const OrbitalElements& orbit, const OrbitOrientation& orientation, const InstantContext& context,
                     const Instant& at, HeliocentricState& last, double position[3], double velocity[3]) {
    const int err = KeplerHeliocentric(orbit, orientation, at.tt, last.position.data(), last.velocity.data());
    if (err) return err;
    EclipticToEquator(last.position.data());
    EclipticToEquator(last.velocity.data());
    const double dt = at.tt - context.tt;
    for (int i = 0; i < 3; ++i) {
        position[i] = last.position[i] + context.sun[i] + context.sunVelocity[i] * dt;
        velocity[i] = last.velocity[i] + context.sunVelocity[i];
    }
    return 0;
}

// Angle at vertex between sides a and b, opposite side c (law of cosines), degrees.
double TriangleAngle(double a, double b, double c) {
    const double cosine = (a * a + b * b - c * c) / (2.0 * a * b);
    return std::acos(std::fmax(-1.0, std::fmin(1.0, cosine))) * kRadToDeg;
}

// r, delta, elongation, phase angle, magnitude; the tail direction and the motion on the
// equator of date, the frame of the place. The motion is the difference of geometric places
// an hour apart: aberration and nutation change too little in an hour to matter to it. `seen`
// is the body's state at the light-time instant (the reduction's last step, within 1e-8 day
// of it); the place an hour on comes from its Taylor series to the acceleration, which leaves
// 1e-4 of the motion even for a comet 0.1 AU from the Sun.
void SetGeometry(MinorBodyPosition& out, const MinorBodyElements& body, const InstantContext& context,
                 const HeliocentricState& seenState, const ApparentPlace& place) {
    const Vec3& helio = seenState.position;
    const double r = Length(helio);
    const double dt = kMotionInterval;
    const double gravity = kGaussianConstant * kGaussianConstant / (r * r * r);  // 1/day^2
    const Vec3 helioLater = helio + dt * seenState.velocity - (0.5 * dt * dt * gravity) * helio;
    const Vec3 geocentric = helio - context.earthHelio;
    const Vec3 later = helioLater - context.earthHelioLater;
    const double delta = Length(geocentric), sunEarth = Length(context.earthHelio);
    out.sunDistanceAu = r;
    out.earthDistanceAu = place.lightDistance;
    out.elongationDeg = TriangleAngle(sunEarth, delta, r);
    out.phaseDeg = TriangleAngle(r, delta, sunEarth);
    out.magnitude = MinorBodyMagnitude(body, r, delta, out.phaseDeg);

    const Mat3& toDate = context.reduction.precessionNutation;
    const Vec3 seen = MatMulVec(toDate, geocentric), seenLater = MatMulVec(toDate, later);
    // The tail lies along the body's heliocentric radius, seen from the Earth.
    out.tailAngleDeg = PositionAngle(seen, MatMulVec(toDate, helio));
    out.motionArcsecPerHour = AngularSeparation(seen, seenLater) * kArcsecPerRadian / (kMotionInterval * 24.0);
    out.motionAngleDeg = PositionAngle(seen, (1.0 / Length(seenLater)) * seenLater - (1.0 / Length(seen)) * seen);
}

}  // namespace

double MinorBodyMagnitude(const MinorBodyElements& body, double r, double delta, double phaseDeg) {
    if (body.kind == MinorBodyKind::Comet)
        return body.absoluteMagnitude + 5.0 * std::log10(delta) + 2.5 * body.slope * std::log10(r);
    const double t = std::tan(0.5 * phaseDeg * kDegToRad);
    const double phi1 = std::exp(-kPhaseA1 * std::pow(t, kPhaseB1));
    const double phi2 = std::exp(-kPhaseA2 * std::pow(t, kPhaseB2));
    const double g = body.slope;
    return body.absoluteMagnitude + 5.0 * std::log10(r * delta) - 2.5 * std::log10((1.0 - g) * phi1 + g * phi2);
}

double MinorBodyMagnitudeAt(const MinorBodyElements& body, double jdTt, const double earthHeliocentric[3]) {
    double p[3], v[3];
    if (KeplerHeliocentric(body.orbit, jdTt, p, v)) return std::numeric_limits<double>::quiet_NaN();
    const Vec3 helio{{p[0], p[1], p[2]}};
    const Vec3 earth{{earthHeliocentric[0], earthHeliocentric[1], earthHeliocentric[2]}};
    const double r = Length(helio), delta = Length(helio - earth);
    return MinorBodyMagnitude(body, r, delta, TriangleAngle(r, delta, Length(earth)));
}

void EarthHeliocentricEcliptic(const Instant& when, double position[3]) {
    EarthHeliocentric(when, position);
    const EclipticRotation& e = J2000Obliquity();
    const double y = position[1], z = position[2];
    position[1] = e.c * y + e.s * z;
    position[2] = -e.s * y + e.c * z;
}

int ComputeMinorBody(MinorBodyPosition& out, const MinorBodyElements& body, const Instant& when,
                     const EphemerisSettings& settings, BodyHorizon* horizon) {
    out = MinorBodyPosition{};
    if (horizon) *horizon = BodyHorizon{};
    if (!IsInEarthEphemerisRange(when)) return kEphemerisOutOfRange;
    const InstantContext& context = ContextAt(when);
    const OrbitOrientation orientation = OrientationOf(body.orbit);
    HeliocentricState seenState;
    const BarycentricEphemeris ephemeris = [&](const Instant& at, double* position, double* velocity) {
        return MinorBarycentric(body.orbit, orientation, context, at, seenState, position, velocity);
    };
    const BarycentricEphemeris earth = [&context](const Instant&, double* position, double* velocity) {
        for (int i = 0; i < 3; ++i) {
            position[i] = context.earth[i];
            velocity[i] = context.earthVelocity[i];
        }
        return 0;
    };
    // A copy: the shared one stays untouched by what the horizon step caches.
    EarthOrientationCache cache = context.reduction.earth;
    ApparentPlace now;
    const int err = ApparentPlaceInChartMode(when, settings, ephemeris, earth, cache, now);
    if (err) return err;

    SetGeometry(out, body, context, seenState, now);
    const HorizonPlace seen = HorizonInChartMode(when, settings, now.raHours, now.decDeg, cache);
    out.raHours = seen.raHours;
    out.decDeg = seen.decDeg;
    out.elementAgeDays = when.tt - body.orbit.epochJd;
    if (horizon) {
        horizon->altitude = 90.0 - seen.zenithDistance;
        horizon->azimuth = seen.azimuth;
    }
    return kEphemerisOk;
}

}  // namespace vsp
