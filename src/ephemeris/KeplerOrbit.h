#pragma once
// Two-body motion about the Sun from osculating elements: elliptic, parabolic and hyperbolic
// orbits by one universal-variable formulation (Stumpff functions; J. M. A. Danby,
// Fundamentals of Celestial Mechanics, 2nd ed., Willmann-Bell 1988, ch. 6.9), which stays
// accurate through e = 1 where the classical anomalies lose their digits. The Sun's GM is the
// square of the Gaussian constant (the body's mass neglected). Measured against skyfield's
// KeplerOrbit from the same elements (asteroids with e 0.08..0.81; comets with e 0.995..0.999,
// 1, 1.001..1.2; at the epoch, 200 days either side and, near e = 1, 3,000 days from
// perihelion): within 1e-6" seen from the Sun and 1e-8 AU.

namespace vsp {

struct OrbitalElements {              // heliocentric osculating elements
    double epochJd = 0.0;             // osculation epoch, JD TT
    double perihelionJd = 0.0;        // time of perihelion passage, JD TT
    double perihelionDistance = 0.0;  // q, AU
    double eccentricity = 0.0;        // e >= 0: <1 elliptic, 1 parabolic, >1 hyperbolic
    double inclination = 0.0;         // degrees, J2000 ecliptic and equinox
    double node = 0.0;                // longitude of the ascending node, degrees
    double perihelionArgument = 0.0;  // degrees
};

// Heliocentric position (AU) and velocity (AU/day), J2000 ecliptic and equinox, at JD TT.
// 0, or kEphemerisBadElements (q not positive, e negative, anything not finite) with zeroed
// outputs.
int KeplerHeliocentric(const OrbitalElements& orbit, double jdTt, double position[3], double velocity[3]);

// The orbit's orientation: unit vectors towards perihelion (p) and a quarter turn on in the
// direction of motion (q), J2000 ecliptic. Whoever places one body at several times (light
// time, motion) forms it once and passes it to the overload below.
struct OrbitOrientation {
    double p[3] = {0.0, 0.0, 0.0}, q[3] = {0.0, 0.0, 0.0};
};
OrbitOrientation OrientationOf(const OrbitalElements& orbit);
int KeplerHeliocentric(const OrbitalElements& orbit, const OrbitOrientation& orientation, double jdTt,
                       double position[3], double velocity[3]);

// The time of perihelion (JD TT) of an elliptic orbit given by its semi-major axis (AU) and
// mean anomaly (degrees) at an epoch: the mean motion is k / a^1.5 radians per day.
double PerihelionTimeFromMeanAnomaly(double epochJd, double semiMajorAxis, double meanAnomalyDeg);

}  // namespace vsp
