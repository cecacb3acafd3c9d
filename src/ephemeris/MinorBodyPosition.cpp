#include "ephemeris/MinorBodyPosition.h"

#include <cmath>
#include <limits>

#include "ephemeris/ChartModePlace.h"
#include "ephemeris/Constants.h"
#include "ephemeris/EarthBarycentric.h"
#include "ephemeris/LightCorrections.h"
#include "ephemeris/ReductionState.h"
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

// The body about the barycentre, J2000 equator: the form the apparent-place reduction reads.
int MinorBarycentric(const OrbitalElements& orbit, const Instant& at, double position[3], double velocity[3]) {
    const int err = KeplerHeliocentric(orbit, at.tt, position, velocity);
    if (err) return err;
    EclipticToEquator(position);
    EclipticToEquator(velocity);
    double sun[3], sunVelocity[3];
    SunBarycentric(at, sun, sunVelocity);
    for (int i = 0; i < 3; ++i) {
        position[i] += sun[i];
        velocity[i] += sunVelocity[i];
    }
    return 0;
}

// Angle at vertex between sides a and b, opposite side c (law of cosines), degrees.
double TriangleAngle(double a, double b, double c) {
    const double cosine = (a * a + b * b - c * c) / (2.0 * a * b);
    return std::acos(std::fmax(-1.0, std::fmin(1.0, cosine))) * kRadToDeg;
}

// The geocentric vector (J2000 equator) of the body as seen at `when`, light time `lightTime`
// days; `helio` gets its heliocentric vector.
Vec3 Geocentric(const MinorBodyElements& body, const Instant& when, double lightTime, Vec3& helio) {
    Vec3 velocity, earth;
    KeplerHeliocentric(body.orbit, when.tt - lightTime, helio.data(), velocity.data());
    EclipticToEquator(helio.data());
    EarthHeliocentric(when, earth.data());
    return helio - earth;
}

// r, delta, elongation, phase angle, magnitude; the tail direction and the motion on the
// equator of date, the frame of the place. The motion is the difference of geometric places
// an hour apart: aberration and nutation change too little in an hour to matter to it.
void SetGeometry(MinorBodyPosition& out, const MinorBodyElements& body, const Instant& when, double lightTime,
                 const ApparentPlace& place) {
    Vec3 helio, helioLater;
    const Vec3 geocentric = Geocentric(body, when, lightTime, helio);
    const Vec3 later = Geocentric(body, when.Later(kMotionInterval), lightTime, helioLater);
    const double r = Length(helio), delta = Length(geocentric), sunEarth = Length(geocentric - helio);
    out.sunDistanceAu = r;
    out.earthDistanceAu = place.lightDistance;
    out.elongationDeg = TriangleAngle(sunEarth, delta, r);
    out.phaseDeg = TriangleAngle(r, delta, sunEarth);
    out.magnitude = MinorBodyMagnitude(body, r, delta, out.phaseDeg);

    ReductionState state;
    const Mat3& toDate = PrecessionNutationMatrix(when.tt, state);
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
    const BarycentricEphemeris ephemeris = [&body](const Instant& at, double* position, double* velocity) {
        return MinorBarycentric(body.orbit, at, position, velocity);
    };
    EarthOrientationCache cache;
    ApparentPlace now;
    const int err = ApparentPlaceInChartMode(when, settings, ephemeris, cache, now);
    if (err) return err;

    SetGeometry(out, body, when, now.lightDistance * kLightDaysPerAu, now);
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
