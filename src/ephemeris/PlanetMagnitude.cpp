#include "ephemeris/PlanetMagnitude.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/Constants.h"

namespace vsp {
namespace {

double ClampedAcos(double cosine) { return std::acos(std::clamp(cosine, -1.0, 1.0)); }

bool PhaseMagnitude(int body, double i, double& magnitude) {
    switch (body) {
    case kBodyMoon: magnitude = 0.23 + 0.026 * i + 4e-9 * i * i * i * i; return true;
    case kBodyMercury: magnitude = -0.42 + ((2e-6 * i - 0.000273) * i + 0.038) * i; return true;
    case kBodyVenus: magnitude = -4.40 + ((-6.5e-7 * i + 0.000239) * i + 0.0009) * i; return true;
    case kBodyMars: magnitude = -1.52 + 0.016 * i; return true;
    case kBodyJupiter: magnitude = -9.40 + 0.005 * i; return true;
    case kBodySaturn: magnitude = -8.88 + 0.044 * i; return true;
    case kBodyUranus: magnitude = -7.19; return true;
    case kBodyNeptune: magnitude = -6.87; return true;
    case kBodyPluto: magnitude = -1.00; return true;
    default: return false;
    }
}

}  // namespace

int PlanetMagnitude(int body, double delta, double sunDistance, double radius, PlanetPhase& phase) {
    phase = PlanetPhase{};
    const double R = sunDistance, r = radius;
    const double elongation = ClampedAcos((R * R + delta * delta - r * r) / (2.0 * R * delta));
    double i = body == kBodyMoon ? std::numbers::pi - elongation
                                 : ClampedAcos((r * r + delta * delta - R * R) / (2.0 * r * delta));
    phase.elongation = elongation * kRadToDeg;
    phase.phaseAngle = i * kRadToDeg;
    phase.illuminatedFraction = (1.0 + std::cos(i)) / 2.0;
    double magnitude = 0.0;
    if (!PhaseMagnitude(body, phase.phaseAngle, magnitude)) return kEphemerisUnknownBody;
    phase.magnitude = magnitude + 5.0 * std::log10(r * delta);
    return kEphemerisOk;
}

double SaturnRingDayNumber(int year, int month, int day, int hour, int minute, int second) {
    const long y = year, m = month;
    const long whole = 367 * y - 7 * (y + (m + 9) / 12) / 4 + 275 * m / 9 + day - 730530;
    return double(whole) + (hour + minute / 60.0 + second / 3600.0) / 24.0;
}

double SaturnRingTilt(double dayNumber, double longitude, double latitude) {
    const double node = (169.51 + 3.82e-5 * dayNumber) * kDegToRad;
    const double inclination = 28.06 * kDegToRad;
    const double lambda = longitude * kDegToRad, beta = latitude * kDegToRad;
    return std::asin(std::sin(beta) * std::cos(inclination) -
                     std::cos(beta) * std::sin(inclination) * std::sin(lambda - node));
}

double SaturnRingMagnitude(double tilt) {
    const double s = std::sin(std::fabs(tilt));
    return -2.6 * s + 1.2 * s * s;
}

}  // namespace vsp
