#include "chart/PlanetFaceScene.h"

#include <algorithm>
#include <cmath>

#include "ephemeris/BodyPosition.h"
#include "ephemeris/ComputeBody.h"
#include "ephemeris/Constants.h"
#include "ephemeris/GalileanMoons.h"
#include "ephemeris/JupiterFace.h"
#include "ephemeris/MarsFace.h"
#include "ephemeris/MoonFace.h"
#include "ephemeris/SaturnMoons.h"
#include "ephemeris/SaturnRings.h"
#include "ephemeris/Spherical.h"

namespace vsp {
namespace {

constexpr double kSaturnPolarRatio = 0.902, kMarsPolarRatio = 0.9948;

// The body's and the Sun's apparent places: the bright limb's position angle and the lit fraction.
bool BrightLimb(int body, const Instant& when, const EphemerisSettings& settings, double& paDeg, double& litFraction) {
    BodyPosition place, sun;
    if (ComputeBody(place, body, when, settings) != kEphemerisOk ||
        ComputeBody(sun, kBodySun, when, settings) != kEphemerisOk)
        return false;
    paDeg = PositionAngle(RaDecToVector(place.rightAscension, place.declination),
                          RaDecToVector(sun.rightAscension, sun.declination));
    litFraction = place.phaseFraction;
    return true;
}

bool JupiterScene(const Instant& when, double grsLongitudeDeg, PlanetFaceScene& out) {
    GalileanSystem system;
    JupiterFace face;
    if (ComputeGalileanSystem(when, system) != 0 || ComputeJupiterFace(when, face) != 0) return false;
    PlanetPictureInput& p = out.picture;
    p.body = PictureBody::kJupiter;
    p.polarRatio = kJupiterPolarRatio;
    p.axisPaDeg = system.axisPositionAngleDeg;
    p.subEarthLatDeg = system.earthLatitudeDeg;
    p.centralMeridianDeg = face.centralMeridianII;
    p.phaseAngleDeg = face.phaseAngleDeg;
    p.grsLongitudeDeg = grsLongitudeDeg;
    static constexpr const char* kLetters[] = {"I", "E", "G", "C"};
    for (int i = 0; i < kGalileanMoonCount; ++i) {
        const GalileanMoonPlace& m = system.moons[size_t(i)];
        p.satellites.push_back({kLetters[i], m.x, m.y, m.occulted, m.eclipsed, m.shadowOnDisc, m.shadowX, m.shadowY});
    }
    out.diameterArcsec = face.diameterArcsec;
    return true;
}

bool SaturnScene(const Instant& when, PlanetFaceScene& out) {
    SaturnRingView rings;
    SaturnMoonPlaces moons;
    if (SaturnRingsAt(when, rings) != 0 || SaturnMoonsAt(when, moons) != 0) return false;
    PlanetPictureInput& p = out.picture;
    p.body = PictureBody::kSaturn;
    p.polarRatio = kSaturnPolarRatio;
    p.axisPaDeg = rings.positionAngleDeg;
    p.subEarthLatDeg = rings.earthTiltDeg;
    static constexpr const char* kLetters[] = {"Mi", "En", "Te", "Di", "Rh", "Ti", "Ia"};
    for (int i = 0; i < kSaturnMoonCount; ++i) {
        const SaturnMoonPlace& m = moons[size_t(i)];
        p.satellites.push_back({kLetters[i], m.x, m.y, m.occulted, m.eclipsed});
    }
    out.diameterArcsec = rings.majorAxisArcsec / kSaturnRingOverGlobe;
    return true;
}

bool MarsScene(const Instant& when, PlanetFaceScene& out) {
    MarsFaceView face;
    if (MarsFaceAt(when, face) != 0) return false;
    PlanetPictureInput& p = out.picture;
    p.body = PictureBody::kMars;
    p.polarRatio = kMarsPolarRatio;
    p.axisPaDeg = face.positionAngleDeg;
    p.subEarthLatDeg = face.subEarthLatDeg;
    p.centralMeridianDeg = face.centralMeridianDeg;
    p.phaseAngleDeg = face.phaseAngleDeg;
    out.diameterArcsec = face.diameterArcsec;
    return true;
}

bool MoonScene(const Instant& when, const EphemerisSettings& settings, PlanetFaceScene& out) {
    const MoonFaceView face = MoonFaceAt(when);
    BodyPosition moon;
    if (ComputeBody(moon, kBodyMoon, when, settings) != kEphemerisOk) return false;
    PlanetPictureInput& p = out.picture;
    p.body = PictureBody::kMoon;
    p.axisPaDeg = face.axisPositionAngleDeg;
    p.subEarthLatDeg = face.librationLatDeg;
    p.centralMeridianDeg = face.librationLonDeg;
    out.diameterArcsec = moon.diameter * 60.0;
    return true;
}

}  // namespace

bool BuildPlanetFaceScene(int body, const Instant& when, const EphemerisSettings& settings, double grsLongitudeDeg,
                          PlanetFaceScene& out) {
    out = {};
    bool built = false;
    switch (body) {
        case kBodyJupiter: built = JupiterScene(when, grsLongitudeDeg, out); break;
        case kBodySaturn: built = SaturnScene(when, out); break;
        case kBodyMars: built = MarsScene(when, out); break;
        case kBodyMoon: built = MoonScene(when, settings, out); break;
        default: return false;
    }
    double litFraction = 1.0;
    if (!built || !BrightLimb(body, when, settings, out.picture.brightLimbPaDeg, litFraction)) return false;
    // The bodies whose face carries no phase angle of its own take it from the lit fraction.
    if (body == kBodySaturn || body == kBodyMoon) out.picture.phaseAngleDeg = PhaseAngleFromLitFraction(litFraction);
    return true;
}

}  // namespace vsp
